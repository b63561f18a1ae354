#pragma once

#include "order/TiposAnulacion.h"
#include "ui/ModalScreen.h"

#include <optional>

class QTableWidget;

namespace nerin {

// The reason chooser: the restaurant's cancellation reasons; touching one chooses it and closes the
// screen, "Cancelar" closes it with no choice.
class FrmAnulaciones : public ModalScreen {
public:
    FrmAnulaciones(BaseDatos& baseDatos, QWidget* parent = nullptr);

    // The reason chosen, 0 when none was.
    qint32 Tipo_Anulacion() const { return m_elegida ? m_elegida->id : 0; }
    QString Nombre_Anulacion() const { return m_elegida ? m_elegida->nombre : QString(); }
    bool Regresar_Existencia() const { return m_elegida && m_elegida->regresaExistencia; }
    const std::optional<RazonAnulacion>& elegida() const { return m_elegida; }

private:
    TiposAnulacion m_tipos;
    std::optional<RazonAnulacion> m_elegida;
    QTableWidget* m_grdAnulaciones = nullptr;
};

} // namespace nerin

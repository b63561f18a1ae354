#pragma once

#include "printing/RedirigirImpresora.h"
#include "ui/ModalScreen.h"

class QLabel;
class QTableWidget;

namespace nerin {

// The printers (grdDestino) that the jobs of printer `Impresora` may be sent to. "Aceptar" redirects
// it to the chosen one and closes; without a choice, or when RedirigirImpresora refuses or fails, the
// screen stays open and nothing changes. "Cancelar" closes without a change.
class FrmEscogerImpresora : public ModalScreen {
public:
    explicit FrmEscogerImpresora(const ContextoImpresion& contexto, QWidget* parent = nullptr);

    // The printer being redirected; set before the screen is shown.
    void setImpresora(qint16 impresora);
    qint16 impresora() const { return m_impresora; }

private:
    void aceptar();

    RedirigirImpresora m_redirigir;
    QLabel* m_lblTitulo;
    QTableWidget* m_grdDestino;
    RecordSet m_filas;
    qint16 m_impresora = 0;
};

} // namespace nerin

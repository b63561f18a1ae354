#pragma once

#include "keyboards/ValorTecleado.h"
#include "text/Currency.h"
#include "ui/ModalScreen.h"

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nerin {

// The payment keypad: the amount of one payment (starting with the pending amount), its tip and its
// reference. Each field has a button that chooses it; the digit keys and "." write into the chosen
// field, and the first key replaces the starting value shown in it. Amounts must read as money.
class FrmTecladoPago : public ModalScreen {
public:
    using Aviso = std::function<void(const QString& mensaje)>;
    enum Campo { Monto = 0, Propina = 1, Referencia = 2 };

    explicit FrmTecladoPago(QWidget* parent = nullptr);

    void setTitulo(const QString& titulo);
    void setMonto(Currency monto);
    void setAviso(Aviso aviso) { m_aviso = std::move(aviso); }
    void elegir(Campo campo);
    Campo campo() const { return m_campo; }

    bool Cancelado() const { return m_cancelado; }
    Currency monto() const { return m_monto; }
    Currency propina() const { return m_propina; }
    QString referencia() const { return m_referencia; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void escribir(const QString& texto);
    void borrar(bool todo);
    void mostrarCampos();
    void aceptar();

    QLabel* m_titulo;
    std::array<QLineEdit*, 3> m_campos{};
    std::array<QPushButton*, 3> m_botones{};
    std::array<bool, 3> m_inicial{true, true, true};
    ValorTecleado m_montoTecleado;
    ValorTecleado m_propinaTecleada;
    QString m_referenciaTecleada;
    QString m_montoFormateado; // the starting amount, shown until its field is typed into
    Campo m_campo = Monto;
    Aviso m_aviso;
    Currency m_monto;
    Currency m_propina;
    QString m_referencia;
    bool m_cancelado = true;
};

} // namespace nerin

#pragma once

#include "keyboards/NumeroTecleado.h"
#include "ui/ModalScreen.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nerin {

class Bitacora;

// The numeric keypad: quantities, guests, table numbers, folios. Digits append, "Limpiar" empties,
// "Borrar" removes the last digit; "Aceptar" converts the number and closes, unless it is outside the
// caller's range, which is refused with a message while the keypad stays open. "Cancelar" sets
// Cancelado. "ABIERTO" closes with the open flag. Loading and unloading are written to the event log.
class frmTecladoNumerico : public ModalScreen {
public:
    using Aviso = std::function<void(const QString& mensaje)>;

    explicit frmTecladoNumerico(Bitacora* bitacora, QWidget* parent = nullptr);
    ~frmTecladoNumerico() override;

    void setTitulo(const QString& titulo);
    void setDefaultNum(qint64 numero);
    void setRango(qint64 minimo, qint64 maximo);
    void setMostrarAbierto(bool mostrar);
    // Who shows a refusal; by default a message window over the keypad.
    void setAviso(Aviso aviso) { m_aviso = std::move(aviso); }

    // Takes the digits of a pasted text, as the digit keys would.
    void pegar(const QString& texto);

    bool Cancelado() const { return m_cancelado; }
    qint64 numero() const { return m_numero; }
    bool abierto() const { return m_abierto; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void mostrarNumero();
    void aceptar();

    Bitacora* m_bitacora;
    NumeroTecleado m_tecleado;
    QLabel* m_titulo;
    QLineEdit* m_numeroTexto;
    QPushButton* m_cmdAbierto;
    Aviso m_aviso;
    qint64 m_minimo = 0;
    qint64 m_maximo = 2147483647;
    qint64 m_numero = 0;
    bool m_cancelado = true;
    bool m_abierto = false;
};

} // namespace nerin

#pragma once

#include "keyboards/Prompts.h"
#include "keyboards/ValorTecleado.h"
#include "ui/ModalScreen.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace nerin {

// The value keypad: an amount or a percentage checked against the caller's original value. Digits and
// "." write the value; the check box switches between amount (starting at the original) and
// percentage (starting at 100). "Aceptar" refuses a value the mode does not allow with its message
// and keeps the window open.
class FrmTecladoNum : public ModalScreen {
public:
    using Aviso = std::function<void(const QString& mensaje)>;

    explicit FrmTecladoNum(QWidget* parent = nullptr);

    void setTitulo(const QString& titulo);
    void setOriginal(Currency original, Prompts::ValueCheck modo);
    void setPorcentaje(bool porcentaje);
    void setAviso(Aviso aviso) { m_aviso = std::move(aviso); }

    bool Cancelado() const { return m_cancelado; }
    Currency valor() const { return m_valor; }
    bool porcentaje() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void escribir(QStringView texto);
    void mostrarValor();
    void empezarValor();
    void aceptar();

    ValorTecleado m_tecleado;
    QLabel* m_titulo;
    QLineEdit* m_valorTexto;
    QCheckBox* m_porcentaje;
    Aviso m_aviso;
    Currency m_original;
    Prompts::ValueCheck m_modo = Prompts::ValueCheck::None;
    Currency m_valor;
    bool m_cancelado = true;
    bool m_inicial = true; // the starting value is shown: the first key replaces it
};

} // namespace nerin

#pragma once

#include "ui/ModalScreen.h"

#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nerin {

// The text keyboard: names, searches, free-text modifiers, user names and passwords. The letter keys
// come in two layouts, typewriter and alphabetical, with the digits on their own row; the layout key
// shows the caption of the other layout. With MbTexto set the text shows as one "*" per character.
// A maximum length, when the caller gives one, refuses further characters.
class frmTecladoLibre : public ModalScreen {
public:
    static constexpr const char* kQwerty = "1234567890QWERTYUIOPASDFGHJKLÑZXCVBNM,.-";
    static constexpr const char* kAlfabetico = "ABCDEFGHIJKLMNÑOPQRSTUVWXYZ,.-/";

    explicit frmTecladoLibre(QWidget* parent = nullptr);

    void setTitulo(const QString& titulo);
    void setTexto(const QString& texto);
    void setMbTexto(bool mascara);
    void setMaximo(int maximo); // 0: no limit

    QString texto() const { return m_texto; }
    bool Cancelado() const { return m_cancelado; }
    bool alfabetico() const { return m_alfabetico; }
    // The objectName of the key that writes `c`: "cmdA", "cmd1", "cmdEnie", "cmdComa" ...
    static QString nombreTecla(QChar c);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void escribir(const QString& texto);
    void mostrarTexto();
    void acomodarTeclas();

    QLabel* m_titulo;
    QLineEdit* m_campo;
    QPushButton* m_distribucion;
    QList<QPushButton*> m_teclas;
    QString m_texto;
    int m_maximo = 0;
    bool m_mascara = false;
    bool m_alfabetico = false;
    bool m_cancelado = true;
};

} // namespace nerin

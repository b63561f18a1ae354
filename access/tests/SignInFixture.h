#pragma once

#include "access/CardReader.h"
#include "access/tests/AccessFixture.h"
#include "crypto/MD5.h"
#include "crypto/clsRC4.h"
#include "startup/tests/RecordingNavegacion.h"

#include <QStringList>

namespace nerin::fakes {

// Remembers the screens the sign-in asked to open.
class RecordingNavegacionFirma : public RecordingNavegacion {
public:
    void mesasAbiertas(ModoMesas modo) override { mesas.append(modo); }
    void comanda(const Orden& orden) override { comandas.append(orden); }
    Checada checador(qint16 idEmpleado) override {
        checadores.append(idEmpleado);
        return Checada::Ninguna;
    }
    void registroTarjetas() override { ++registros; }

    bool ninguna() const {
        return mesas.isEmpty() && comandas.isEmpty() && checadores.isEmpty() && registros == 0;
    }

    QList<ModoMesas> mesas;
    QList<Orden> comandas;
    QList<qint16> checadores;
    int registros = 0;
};

// Stands in for the serial card reader control: a swipe delivers the whole card text at once, built
// from the two tracks as the control's data event does. While one text is being handled, further
// swipes are dropped, as the control's data events are switched off meanwhile.
class LectorSerialDePrueba : public CardReader {
public:
    bool activar(Receptor receptor) override {
        if (!disponible)
            return false;
        m_receptor = std::move(receptor);
        activo = true;
        ++activaciones;
        return true;
    }
    void desactivar() override { activo = false; }

    void deslizar(const QString& pista1, const QString& pista2) {
        if (!activo || m_entregando || !m_receptor.tarjeta)
            return;
        m_entregando = true;
        m_receptor.tarjeta(CardReader::textoTarjeta(pista1, pista2));
        m_entregando = false;
    }
    void fallar(int codigo) {
        if (activo && m_receptor.error)
            m_receptor.error(codigo);
    }

    bool disponible = true;
    bool activo = false;
    int activaciones = 0;

private:
    Receptor m_receptor;
    bool m_entregando = false;
};

// A card as the reader reads it: the check digest of the number, and the number.
struct Tarjeta {
    QString pista1;
    QString pista2;
    QString texto() const { return CardReader::textoTarjeta(pista1, pista2); }
};

// The demo restaurant with its employees' cards replaced by cards made here and stored under the
// fixture's card key ("clave"), so that the serial reader's "Ñ" is part of every card number.
class SignInFixture : public AccessFixture {
protected:
    static inline const QString kClave = QStringLiteral("clave");
    static inline const QString kClaveDemo = QStringLiteral("NERIN-DEMO-2026");

    // The card with this 32-digit number; its digest covers the number and the track end.
    static Tarjeta tarjeta(const QString& numero) {
        MD5 md5;
        return {md5.DigestStrToHexStr(numero + u'_'), numero};
    }
    static Tarjeta tarjetaDe(int idEmpleado) {
        return tarjeta(
            QStringLiteral("5078120000000000000000000000%1").arg(idEmpleado, 4, 10, QLatin1Char('0')));
    }
    // Gives the employee the card, stored as the card lookup reads it.
    void asignar(int idEmpleado, const Tarjeta& t) {
        const QString texto = t.texto();
        const qsizetype guion = texto.indexOf(u'_');
        clsRC4 rc4;
        rc4.Key(kClave);
        const QString cifrado = rc4.EncryptString(texto.mid(guion + 1, guion), QString(), true);
        exec(QStringLiteral("UPDATE Empleado SET Num_Tarjeta='%1' WHERE Id_Empleado=%2")
                 .arg(cifrado)
                 .arg(idEmpleado));
    }
    void asignarTodas() {
        for (int id = 1; id <= 4; ++id)
            asignar(id, tarjetaDe(id));
    }

    // The terminal with its connection open and the recording navigation; `clave` is the card key.
    void firmarListo(const QString& clave = kClave) {
        build();
        if (clave != kClave) {
            baseDatos = std::make_unique<BaseDatos>(
                [where = settings->databaseSettings()] { return createConnection(where); }, *bitacora,
                messageBox, [this] { ++programEnded; }, clave);
            context = std::make_unique<TerminalContext>(*baseDatos, *bitacora, prompts, platform, *settings,
                                                        [this] { return ahora; });
        }
        ASSERT_TRUE(baseDatos->ConectarBD());
        context->setNavegacion(&nav);
    }

    qint64 numero(const QString& sql) { return field(sql).toInt(); }
    qint64 terminalDe(int idEmpleado) {
        return numero(
            QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=%1").arg(idEmpleado));
    }

    RecordingNavegacionFirma nav;
};

} // namespace nerin::fakes

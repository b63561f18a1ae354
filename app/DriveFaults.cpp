#include "app/DriveFaults.h"

#include "app/Driver.h"
#include "data/testing/FaultyConnection.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <csignal>
#include <cstdio>

namespace nerin {

DriveFaults::DriveFaults(QObject* parent)
    : QObject(parent), m_matarEn(qEnvironmentVariable("NERIN_MATAR_EN").toLongLong()) {}

DriveFaults::~DriveFaults() {
    if (m_matarEn > 0)
        std::fprintf(stderr, "nerin-terminal: %lld envíos a la base de datos\n",
                     static_cast<long long>(m_enviados));
}

std::unique_ptr<Connection> DriveFaults::envolver(std::unique_ptr<Connection> conexion) {
    auto envuelta = std::make_unique<fakes::FaultyConnection>(std::move(conexion));
    m_conexion = envuelta.get();
    if (m_matarEn > 0)
        envuelta->setBeforeSend([this] {
            if (++m_enviados == m_matarEn) {
                std::fflush(stderr);
                ::raise(SIGKILL);
            }
        });
    return envuelta;
}

void DriveFaults::instalar(Driver& driver) {
    driver.agregarOrden(QStringLiteral("fail-sql"), [this](const QString& argumentos, QString* porque) {
        const qsizetype espacio = argumentos.indexOf(QLatin1Char(' '));
        bool numero = false;
        const int enesima = argumentos.left(espacio).toInt(&numero);
        if (!numero || enesima < 1) {
            *porque = QStringLiteral("fail-sql N [TEXTO]: N es un número desde 1");
            return false;
        }
        if (!m_conexion) {
            *porque = QStringLiteral("la terminal aún no tiene conexión");
            return false;
        }
        m_conexion->failAt(
            fakes::busyDatabase(enesima, espacio < 0 ? QString() : argumentos.mid(espacio + 1)));
        return true;
    });
    driver.agregarOrden(QStringLiteral("expect-sql"), [this](const QString& argumentos, QString* porque) {
        const qsizetype espacio = argumentos.indexOf(QLatin1Char(' '));
        if (espacio < 0) {
            *porque = QStringLiteral("expect-sql VALOR CONSULTA");
            return false;
        }
        if (!m_conexion) {
            *porque = QStringLiteral("la terminal aún no tiene conexión");
            return false;
        }
        // Behind the wrapper: the look neither counts as a statement nor fails.
        auto filas = m_conexion->inner().query(argumentos.mid(espacio + 1));
        if (!filas) {
            *porque = filas.status().message();
            return false;
        }
        const QString valor = filas->eof() ? QString() : filas->value(0).toString();
        if (valor != argumentos.left(espacio)) {
            *porque = QStringLiteral("la consulta da «%1»").arg(valor);
            return false;
        }
        return true;
    });
    qApp->installEventFilter(this);
}

bool DriveFaults::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::Show && m_conexion && m_conexion->inTransaction()) {
        auto* ventana = qobject_cast<QDialog*>(objeto);
        if (ventana && ventana->isWindow()) {
            const QString cual =
                ventana->objectName().isEmpty() ? ventana->windowTitle() : ventana->objectName();
            m_conexion->notePrompt(cual);
            std::fprintf(stderr, "nerin-terminal: ventana «%s» abierta con una transacción abierta\n",
                         qPrintable(cual));
        }
    }
    return QObject::eventFilter(objeto, evento);
}

} // namespace nerin

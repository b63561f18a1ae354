#include "printing/ImprimirSpread.h"

#include "data/BaseDatos.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/EncabezadoReporte.h"
#include "printing/ImpresorasTerminal.h"
#include "printing/PrintableGrid.h"
#include "printing/TipoDocumento.h"
#include "text/Currency.h"
#include "text/TextFormat.h"

#include <QList>
#include <algorithm>

namespace nerin {

namespace {

using CellType = PrintableGrid::CellType;

QString enTags(const QString& tag, const QString& texto) {
    return u'<' + tag + u'>' + texto + QStringLiteral("</") + tag + u'>';
}

// A currency cell's value as "$0.00"; a value that is not a number is printed as it stands.
QString importe(const QString& valor) {
    QString numero = valor.trimmed();
    numero.remove(u'$').remove(u',');
    const std::optional<Currency> monto = Currency::parse(numero);
    return monto ? u'$' + TextFormat::number(*monto, u"0.00") : valor.trimmed();
}

// One cell laid out in `ancho` columns (more when fitted), wrapped in its style tags; `largo` receives
// the columns it takes on paper.
QString celda(const PrintableGrid::Cell& cell, qsizetype ancho, bool ajustar, bool filaTitulo,
              bool columnaTitulo, qsizetype* largo) {
    QString texto;
    bool derecha = false;
    bool negrita = cell.bold;
    bool titulo = columnaTitulo;
    switch (cell.type) {
    case CellType::Currency:
        texto = cell.text.trimmed().isEmpty() ? QString() : importe(cell.text);
        derecha = true;
        break;
    case CellType::Percent:
        texto = cell.text.trimmed().isEmpty() ? QString() : cell.text.trimmed() + u'%';
        derecha = true;
        break;
    case CellType::Button:
        texto = cell.text.trimmed();
        titulo = true;
        break;
    case CellType::Date:
    case CellType::Time:
        texto = cell.text;
        derecha = true;
        negrita = true;
        break;
    case CellType::Text:
        texto = cell.text.trimmed();
        break;
    }

    if (texto.size() > ancho) {
        if (ajustar) {
            const qsizetype columnas = (texto.size() + ancho - 1) / ancho;
            texto = texto.leftJustified(columnas * ancho, u' ');
        } else {
            texto = texto.left(ancho);
        }
    } else {
        texto = texto.leftJustified(ancho, u' ');
    }
    if (derecha) {
        const QString recortado = texto.trimmed();
        texto = QString(std::max<qsizetype>(ancho - recortado.size(), 0), u' ') + recortado;
    }
    *largo = texto.size();

    if (negrita)
        texto = enTags(QStringLiteral("B"), texto);
    if (filaTitulo || titulo)
        texto = enTags(QStringLiteral("B"), texto);
    else if (cell.fontSize > 18)
        texto = enTags(QStringLiteral("XH"), texto);
    else if (cell.fontSize > 14)
        texto = enTags(QStringLiteral("H"), texto);
    return texto;
}

// The procedure's error handler: the failure goes to the event log and the job stays unclosed.
bool fallo(const ContextoImpresion& contexto, const QString& paso) {
    const DbFailure& error = contexto.baseDatos.connection().lastFailure();
    contexto.bitacora.registrarError(QStringLiteral("ImprimirSpread"), error.number,
                                     paso + QStringLiteral(": ") + error.description);
    return false;
}

} // namespace

bool ImprimirSpread(const ContextoImpresion& contexto, ColaImpresion& cola, const PrintableGrid& grid,
                    bool ajustar, bool conTitulos) {
    const std::optional<qint32> impresora = ImpresorasTerminal(contexto).local();
    if (!impresora)
        return false;
    const qint32 trabajo = cola.AbrirTrabajo(TipoDocumento::kTicket, *impresora, contexto.usuarioTrabajo());
    if (trabajo == 0)
        return fallo(contexto, QStringLiteral("AbrirTrabajo"));
    if (!EncabezadoReporte(contexto, cola, trabajo, contexto.idEmpleado))
        return fallo(contexto, QStringLiteral("EncabezadoReporte"));

    QList<int> visibles;
    for (int columna = 0; columna < grid.columnCount(); ++columna) {
        if (!grid.columnHidden(columna))
            visibles.append(columna);
    }
    const int v = std::max(static_cast<int>(visibles.size()), 1);
    // One separator space per column. A grid with more columns than the ticket has room for still gets
    // one character per column: a width of 0 would print nothing of it.
    const qsizetype ancho = std::max((contexto.ancho() - v) / v, 1);

    const int primera = conTitulos ? 0 : grid.firstBodyRow();
    for (int fila = primera; fila < grid.rowCount(); ++fila) {
        const bool filaTitulo = conTitulos && fila < grid.firstBodyRow();
        QStringList celdas;
        QList<qsizetype> largos;
        qsizetype largoFila = 0;
        for (const int columna : std::as_const(visibles)) {
            qsizetype largo = 0;
            celdas.append(celda(grid.cell(fila, columna), ancho, ajustar, filaTitulo,
                                columna < grid.firstBodyColumn(), &largo));
            largos.append(largo);
            largoFila += 1 + largo;
        }
        // A fitted cell takes the place of the cells after it. When the row then runs past the ticket,
        // each cell whose place was taken starts a new line under its own column, so that no line is
        // wider than the ticket and every figure stays in its column.
        const bool partir = largoFila > contexto.ancho();
        QStringList lineas{QString()};
        qsizetype largoLinea = 0;
        for (qsizetype i = 0; i < celdas.size(); ++i) {
            const qsizetype inicio = i * (ancho + 1);
            if (partir && largoLinea > inicio) {
                lineas.append(QString(inicio, u' '));
                largoLinea = inicio;
            }
            lineas.last() += u' ' + celdas.at(i);
            largoLinea += 1 + largos.at(i);
        }
        for (QString& linea : lineas) {
            if (linea.isEmpty())
                linea = QStringLiteral("<N>");
            // Cells are free text: their quotes are doubled so that the queue stores them as they are.
            if (!cola.AgregarLinea(trabajo, BaseDatos::DuplicarComillas(linea)))
                return fallo(contexto, QStringLiteral("AgregarLinea"));
        }
    }
    if (!cola.CerrarTrabajo(trabajo))
        return fallo(contexto, QStringLiteral("CerrarTrabajo"));
    return true;
}

} // namespace nerin

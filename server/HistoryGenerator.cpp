#include "server/HistoryGenerator.h"

#include "text/TextFormat.h"

#include <QRandomGenerator>

namespace nerin {

namespace {

struct Product {
    qint64 id = 0;
    QString name;
    qint64 printerGroup = 0;
    Currency price;
    Currency tax; // the part of the price that is tax
};

struct Catalogue {
    QList<Product> products;
    QList<qint64> waiters;
    QList<qint64> paymentTypes;
    QList<qint64> cancellationReasons;
    QList<QPair<qint64, QString>> modifiers;
};

QString quoted(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}
QString stamp(const QDateTime& moment) {
    return quoted(TextFormat::dateTime(moment, u"dd/mm/yyyy hh:mm:ss"));
}
QString money(Currency amount) {
    return amount.toPlainText();
}

Result<Catalogue> readCatalogue(Connection& db) {
    Catalogue catalogue;
    auto products = db.query(QStringLiteral(
        "SELECT p.ID_Producto, p.Nombre_Cuenta, p.ID_Grupo_Impresoras, MAX(x.Precio_Producto) AS Precio, "
        "ISNULL(MAX(v.Porcentaje), 0) AS Porcentaje FROM Producto p INNER JOIN PreciosXMenu x ON "
        "x.ID_Producto = "
        "p.ID_Producto LEFT JOIN Vw_PorcentajeXProducto v ON v.Id_Producto = p.ID_Producto WHERE p.Estado = "
        "'A' "
        "AND p.Paquete = 0 AND x.Precio_Producto > 0 GROUP BY p.ID_Producto, p.Nombre_Cuenta, "
        "p.ID_Grupo_Impresoras"));
    if (!products)
        return products.status();
    for (const auto& row : products->rows()) {
        Product product{row[0].toInt(), row[1].toString(), row[2].toInt(), row[3].toCurrency(), {}};
        const double rate = row[4].toDouble();
        product.tax = product.price.multipliedBy(rate / (1.0 + rate), RoundingMode::HalfAwayFromZero)
                          .value_or(Currency())
                          .roundedTo(2, RoundingMode::HalfAwayFromZero);
        catalogue.products.append(product);
    }
    auto ids = [&db](const QString& sql, QList<qint64>& into) -> Status {
        auto rows = db.query(sql);
        if (!rows)
            return rows.status();
        for (const auto& row : rows->rows())
            into.append(row[0].toInt());
        return Status::ok();
    };
    if (Status s = ids(QStringLiteral("SELECT Id_Empleado FROM Empleado WHERE Estado_Empleado = 'A'"),
                       catalogue.waiters);
        !s)
        return s;
    if (Status s = ids(QStringLiteral("SELECT ID_Tipo_Pago FROM Tipo_Pago"), catalogue.paymentTypes); !s)
        return s;
    if (Status s = ids(QStringLiteral("SELECT ID_Tipo_Anulacion FROM Tipos_Anulacion"),
                       catalogue.cancellationReasons);
        !s)
        return s;
    auto modifiers = db.query(QStringLiteral("SELECT ID_Tipo_Modificador, Nombre_Tipo_Modificador FROM "
                                             "Tipo_Modificador WHERE Estado_Modificador = 'A'"));
    if (!modifiers)
        return modifiers.status();
    for (const auto& row : modifiers->rows())
        catalogue.modifiers.append({row[0].toInt(), row[1].toString()});
    if (catalogue.products.isEmpty() || catalogue.waiters.isEmpty() || catalogue.paymentTypes.isEmpty())
        return Status::invalid(
            QStringLiteral("La base de datos no tiene productos con precio, meseros o tipos de pago: "
                           "cree primero el restaurante de demostración (--demo)."));
    return catalogue;
}

// One day of business, written as the terminals would have written it.
class Day {
public:
    Day(Connection& db, const Catalogue& catalogue, QRandomGenerator& random, qint64& folio)
        : m_db(db), m_catalogue(catalogue), m_random(random), m_folio(folio) {}

    Status write(const QDate& date) {
        const QString workingDate = quoted(TextFormat::date(date, u"ddmmyyyy"));
        const int orders = 350 + m_random.bounded(100);
        for (int n = 0; n < orders; ++n) {
            if (Status s = writeOrder(date, workingDate); !s)
                return s;
        }
        return Status::ok();
    }

private:
    template <typename T> const T& pick(const QList<T>& list) {
        return list[m_random.bounded(static_cast<int>(list.size()))];
    }

    Status run(const QString& sql) {
        auto done = m_db.execute(sql);
        return done ? Status::ok() : done.status();
    }

    Status writeOrder(const QDate& date, const QString& workingDate) {
        const qint64 id = ++m_folio;
        const QDateTime opened(date, QTime(13, 0).addSecs(60 * m_random.bounded(600)));
        const QDateTime closed = opened.addSecs(60 * (30 + m_random.bounded(90)));
        const int accounts = m_random.bounded(10) < 8 ? 1 : 2;
        const qint64 waiter = pick(m_catalogue.waiters);
        if (Status s =
                run(QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, "
                                   "CantHuespedes, Abierta, Fecha_Apertura, Fecha_Cierre, EnUsoPor, "
                                   "fecha_trabajo) VALUES (%1, 1, %2, 'N', %3, %4, 0, %5, %6, 0, %7)")
                        .arg(id)
                        .arg(1 + m_random.bounded(40))
                        .arg(waiter)
                        .arg(1 + m_random.bounded(6))
                        .arg(stamp(opened), stamp(closed), workingDate));
            !s)
            return s;
        for (int account = 1; account <= accounts; ++account) {
            if (Status s = writeAccount(id, account, waiter, opened, closed, accounts); !s)
                return s;
        }
        return Status::ok();
    }

    Status writeAccount(qint64 id, int account, qint64 waiter, const QDateTime& opened,
                        const QDateTime& closed, int accounts) {
        Currency total;
        const int items = (6 + m_random.bounded(9)) / accounts;
        for (int i = 0; i < items; ++i) {
            const Product& product = pick(m_catalogue.products);
            const bool cancelled = m_random.bounded(100) < 2 && !m_catalogue.cancellationReasons.isEmpty();
            const QDateTime added = opened.addSecs(60 * m_random.bounded(20));
            QString cancellation = QStringLiteral("NULL, NULL, NULL");
            if (cancelled)
                cancellation = QStringLiteral("%1, %2, %3")
                                   .arg(pick(m_catalogue.cancellationReasons))
                                   .arg(waiter)
                                   .arg(stamp(added.addSecs(300)));
            if (Status s = run(
                    QStringLiteral(
                        "INSERT INTO ProductosXCuenta (ID_Comanda, Control, Num_Cuenta, ID_Producto, Precio, "
                        "Preparado, Hora_Preparacion, ID_Tipo_Anulacion, Empleado_Anulacion, Hora_Anulacion, "
                        "Tipo_Linea, Nombre_Producto, Grupo_Impresion, Hora_Alta) VALUES (%1, 1, %2, %3, %4, "
                        "1, %5, %6, 'P', %7, %8, %5) "
                        "INSERT INTO ImpuestosXCuenta (ID_ProductosXCuenta, Monto_ImpuestosXCuenta) "
                        "VALUES (SCOPE_IDENTITY(), %9)")
                        .arg(id)
                        .arg(account)
                        .arg(product.id)
                        .arg(money(product.price), stamp(added), cancellation, quoted(product.name))
                        .arg(product.printerGroup)
                        .arg(money(product.tax)));
                !s)
                return s;
            if (!m_catalogue.modifiers.isEmpty() && m_random.bounded(100) < 10) {
                const auto& modifier = pick(m_catalogue.modifiers);
                if (Status s = run(
                        QStringLiteral("INSERT INTO Modificador (ID_ProductosXCuenta, ID_Tipo_Modificador, "
                                       "Nombre_Modificador, Precio_Modificador, Marca) SELECT "
                                       "MAX(ID_ProductosXCuenta), %1, %2, 0, 1 FROM ProductosXCuenta")
                            .arg(modifier.first)
                            .arg(quoted(modifier.second.left(20))));
                    !s)
                    return s;
            }
            if (!cancelled)
                total += product.price;
        }
        const Currency tip =
            total.multipliedBy(0.1, RoundingMode::HalfAwayFromZero).value_or(Currency()).roundedTo(0);
        return run(
            QStringLiteral(
                "INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada, Num_Impresiones, Total) "
                "VALUES (%1, %2, 1, 1, 1, %3) "
                "INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, Propina, "
                "Id_Empleado, Fecha_Pago) VALUES (%1, 1, %2, %4, %3, %5, %6, %7)")
                .arg(id)
                .arg(account)
                .arg(money(total))
                .arg(pick(m_catalogue.paymentTypes))
                .arg(money(tip))
                .arg(pick(m_catalogue.waiters))
                .arg(stamp(closed)));
    }

    Connection& m_db;
    const Catalogue& m_catalogue;
    QRandomGenerator& m_random;
    qint64& m_folio;
};

} // namespace

Status HistoryGenerator::generate(Connection& db, int days, quint32 seed, const Progress& progress) {
    if (days < 1 || days > 3660)
        return Status::invalid(QStringLiteral("El número de días debe estar entre 1 y 3660."));
    auto catalogue = readCatalogue(db);
    if (!catalogue)
        return catalogue.status();
    auto current =
        db.query(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO'"));
    if (!current)
        return current.status();
    const auto today = TextFormat::parseWorkingDate(current->value(0).toString());
    if (!today)
        return Status::invalid(QStringLiteral("La fecha de trabajo de la base de datos no es válida."));
    auto last = db.query(QStringLiteral("SELECT ISNULL(MAX(ID_Comanda), 0) FROM Comanda"));
    if (!last)
        return last.status();
    qint64 folio = last->value(0).toInt();

    QRandomGenerator random(seed);
    for (int d = days; d >= 1; --d) {
        if (Status s = db.beginTransaction(); !s)
            return s;
        Status written = Day(db, *catalogue, random, folio).write(today->addDays(-d));
        if (written)
            written = db.commit();
        if (!written)
            return db.rollbackAfter(std::move(written));
        if (progress)
            progress(days - d + 1, days);
    }
    // The newest order must be on the current working date for the terminals to start.
    ++folio;
    auto closed = db.execute(
        QStringLiteral(
            "INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, Abierta, "
            "Fecha_Apertura, Fecha_Cierre, EnUsoPor, fecha_trabajo) SELECT %1, 0, 0, 'D', 0, 0, 0, "
            "GETDATE(), "
            "GETDATE(), 0, Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO' "
            "UPDATE Consecutivos SET Ultimo = %1 WHERE Id_Consecutivo = 'COMANDA'")
            .arg(folio));
    return closed ? Status::ok() : closed.status();
}

} // namespace nerin

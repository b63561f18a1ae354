#include "server/HistoryGenerator.h"

#include "text/TextFormat.h"

#include <QRandomGenerator>
#include <initializer_list>
#include <utility>

namespace nerin {

namespace {

struct Product {
    qint64 id = 0;
    QString name;
    qint64 printerGroup = 0;
    Currency price;
    Currency tax; // the part of the price that is tax
};

// In the order of their identities, so that a seed picks the same ones from any database.
struct Catalogue {
    QList<Product> products;
    QList<qint64> waiters;
    QList<qint64> paymentTypes;
    QList<qint64> cancellationReasons;
    QList<QPair<qint64, QString>> modifiers;
};

// A statement written again and again with other values. Its text never changes, so the engine reads,
// translates and prepares it once; the values go as named parameters, in the order they were declared.
class Repeated {
public:
    Repeated(QString text, std::initializer_list<std::pair<const char*, DbCommand::ParamType>> parameters)
        : m_command(std::move(text), DbCommand::Kind::Text) {
        for (const auto& [name, type] : parameters)
            m_command.addParameter({QString::fromLatin1(name), type, DbCommand::Direction::Input, 0, {}});
    }

    Status run(Connection& db, std::initializer_list<DbValue> values) {
        QList<DbCommand::Parameter>& parameters = m_command.parameters();
        Q_ASSERT(values.size() == static_cast<std::size_t>(parameters.size()));
        qsizetype i = 0;
        for (const DbValue& value : values)
            parameters[i++].value = value;
        auto done = db.run(m_command);
        return done ? Status::ok() : done.status();
    }

private:
    DbCommand m_command;
};

// Dates and times go as date-time values in text parameters: the engine writes them in its stored form
// ("yyyy-mm-dd hh:mm:ss.zzz"), which both databases read as that moment whatever their order of day and
// month. A text such as "dd/mm/yyyy" in a variable would reach SQLite as written, unlike the same text
// written in the statement.
constexpr auto kDateTime = DbCommand::ParamType::LongText;
constexpr auto kInt = DbCommand::ParamType::Integer;
constexpr auto kBigInt = DbCommand::ParamType::BigInt;
constexpr auto kMoney = DbCommand::ParamType::Currency;
constexpr auto kText = DbCommand::ParamType::LongText;

// The statements of one order, its accounts and items, as the terminals write them.
struct OrderStatements {
    Repeated order{
        QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, "
                       "CantHuespedes, Abierta, Fecha_Apertura, Fecha_Cierre, EnUsoPor, fecha_trabajo) "
                       "VALUES (@comanda, 1, @mesa, 'N', @mesero, @huespedes, 0, @apertura, @cierre, "
                       "0, @fecha_trabajo)"),
        {{"@comanda", kBigInt},
         {"@mesa", kInt},
         {"@mesero", kBigInt},
         {"@huespedes", kInt},
         {"@apertura", kDateTime},
         {"@cierre", kDateTime},
         {"@fecha_trabajo", kText}}};
    // The tax row takes the identity of the item just written.
    Repeated item{
        QStringLiteral("INSERT INTO ProductosXCuenta (ID_Comanda, Control, Num_Cuenta, ID_Producto, "
                       "Precio, Preparado, Hora_Preparacion, ID_Tipo_Anulacion, Empleado_Anulacion, "
                       "Hora_Anulacion, Tipo_Linea, Nombre_Producto, Grupo_Impresion, Hora_Alta) VALUES "
                       "(@comanda, 1, @cuenta, @producto, @precio, 1, @alta, @anulacion, "
                       "@empleado_anulacion, @hora_anulacion, 'P', @nombre, @grupo, @alta) "
                       "INSERT INTO ImpuestosXCuenta (ID_ProductosXCuenta, Monto_ImpuestosXCuenta) "
                       "VALUES (SCOPE_IDENTITY(), @impuesto)"),
        {{"@comanda", kBigInt},
         {"@cuenta", kInt},
         {"@producto", kBigInt},
         {"@precio", kMoney},
         {"@alta", kDateTime},
         {"@anulacion", kBigInt},
         {"@empleado_anulacion", kBigInt},
         {"@hora_anulacion", kDateTime},
         {"@nombre", kText},
         {"@grupo", kBigInt},
         {"@impuesto", kMoney}}};
    // Of the item just written, the newest of all.
    Repeated modifier{QStringLiteral("INSERT INTO Modificador (ID_ProductosXCuenta, ID_Tipo_Modificador, "
                                     "Nombre_Modificador, Precio_Modificador, Marca) SELECT "
                                     "MAX(ID_ProductosXCuenta), @tipo, @nombre, 0, 1 FROM ProductosXCuenta"),
                      {{"@tipo", kBigInt}, {"@nombre", kText}}};
    Repeated account{
        QStringLiteral("INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada, "
                       "Num_Impresiones, Total) VALUES (@comanda, @cuenta, 1, 1, 1, @total) "
                       "INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, "
                       "Propina, Id_Empleado, Fecha_Pago) VALUES (@comanda, 1, @cuenta, @tipo_pago, "
                       "@total, @propina, @empleado, @fecha_pago)"),
        {{"@comanda", kBigInt},
         {"@cuenta", kInt},
         {"@total", kMoney},
         {"@tipo_pago", kBigInt},
         {"@propina", kMoney},
         {"@empleado", kBigInt},
         {"@fecha_pago", kDateTime}}};
};

Result<Catalogue> readCatalogue(Connection& db) {
    Catalogue catalogue;
    auto products = db.query(QStringLiteral(
        "SELECT p.ID_Producto, p.Nombre_Cuenta, p.ID_Grupo_Impresoras, MAX(x.Precio_Producto) AS Precio, "
        "ISNULL(MAX(v.Porcentaje), 0) AS Porcentaje FROM Producto p INNER JOIN PreciosXMenu x ON "
        "x.ID_Producto = "
        "p.ID_Producto LEFT JOIN Vw_PorcentajeXProducto v ON v.Id_Producto = p.ID_Producto WHERE p.Estado = "
        "'A' "
        "AND p.Paquete = 0 AND x.Precio_Producto > 0 GROUP BY p.ID_Producto, p.Nombre_Cuenta, "
        "p.ID_Grupo_Impresoras ORDER BY p.ID_Producto"));
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
    if (Status s =
            ids(QStringLiteral(
                    "SELECT Id_Empleado FROM Empleado WHERE Estado_Empleado = 'A' ORDER BY Id_Empleado"),
                catalogue.waiters);
        !s)
        return s;
    if (Status s = ids(QStringLiteral("SELECT ID_Tipo_Pago FROM Tipo_Pago ORDER BY ID_Tipo_Pago"),
                       catalogue.paymentTypes);
        !s)
        return s;
    if (Status s =
            ids(QStringLiteral("SELECT ID_Tipo_Anulacion FROM Tipos_Anulacion ORDER BY ID_Tipo_Anulacion"),
                catalogue.cancellationReasons);
        !s)
        return s;
    auto modifiers = db.query(
        QStringLiteral("SELECT ID_Tipo_Modificador, Nombre_Tipo_Modificador FROM "
                       "Tipo_Modificador WHERE Estado_Modificador = 'A' ORDER BY ID_Tipo_Modificador"));
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
    Day(Connection& db, OrderStatements& statements, const Catalogue& catalogue, QRandomGenerator& random,
        qint64& folio)
        : m_db(db), m_statements(statements), m_catalogue(catalogue), m_random(random), m_folio(folio) {}

    Status write(const QDate& date) {
        const QString workingDate = TextFormat::date(date, u"ddmmyyyy");
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

    // The random numbers are drawn in the same order as ever, so that a seed gives the same history.
    Status writeOrder(const QDate& date, const QString& workingDate) {
        const qint64 id = ++m_folio;
        const QDateTime opened(date, QTime(13, 0).addSecs(60 * m_random.bounded(600)));
        const QDateTime closed = opened.addSecs(60 * (30 + m_random.bounded(90)));
        const int accounts = m_random.bounded(10) < 8 ? 1 : 2;
        const qint64 waiter = pick(m_catalogue.waiters);
        const int table = 1 + m_random.bounded(40);
        const int guests = 1 + m_random.bounded(6);
        if (Status s = m_statements.order.run(m_db, {id, table, waiter, guests, opened, closed, workingDate});
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
            DbValue reason, cancelledBy, cancelledAt;
            if (cancelled) {
                reason = pick(m_catalogue.cancellationReasons);
                cancelledBy = waiter;
                cancelledAt = added.addSecs(300);
            }
            if (Status s = m_statements.item.run(m_db, {id, account, product.id, product.price, added, reason,
                                                        cancelledBy, cancelledAt, product.name,
                                                        product.printerGroup, product.tax});
                !s)
                return s;
            if (!m_catalogue.modifiers.isEmpty() && m_random.bounded(100) < 10) {
                const auto& modifier = pick(m_catalogue.modifiers);
                if (Status s = m_statements.modifier.run(m_db, {modifier.first, modifier.second.left(20)});
                    !s)
                    return s;
            }
            if (!cancelled)
                total += product.price;
        }
        const Currency tip =
            total.multipliedBy(0.1, RoundingMode::HalfAwayFromZero).value_or(Currency()).roundedTo(0);
        const qint64 paymentType = pick(m_catalogue.paymentTypes);
        const qint64 cashier = pick(m_catalogue.waiters);
        return m_statements.account.run(m_db, {id, account, total, paymentType, tip, cashier, closed});
    }

    Connection& m_db;
    OrderStatements& m_statements;
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
    OrderStatements statements;
    for (int d = days; d >= 1; --d) {
        if (Status s = db.beginTransaction(); !s)
            return s;
        Status written = Day(db, statements, *catalogue, random, folio).write(today->addDays(-d));
        if (written)
            written = db.commit();
        if (!written)
            return db.rollbackAfter(std::move(written));
        if (progress)
            progress(days - d + 1, days);
    }
    // The newest order must be on the current working date for the terminals to start.
    Repeated opening(
        QStringLiteral(
            "INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, "
            "Abierta, Fecha_Apertura, Fecha_Cierre, EnUsoPor, fecha_trabajo) SELECT @comanda, 0, 0, "
            "'D', 0, 0, 0, GETDATE(), GETDATE(), 0, Valor_Cad FROM Parametros WHERE Id_Parametro = "
            "'FECHA_TRABAJO' "
            "UPDATE Consecutivos SET Ultimo = @comanda WHERE Id_Consecutivo = 'COMANDA'"),
        {{"@comanda", kBigInt}});
    return opening.run(db, {folio + 1});
}

} // namespace nerin

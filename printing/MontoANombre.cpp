#include "printing/MontoANombre.h"

#include <array>

namespace nerin {

namespace {

struct Palabras {
    std::array<const char*, 9> digitos;
    std::array<const char*, 10> diezADiecinueve;
    std::array<const char*, 8> decenas; // 20 to 90
    const char* unionDecenas;
    std::array<const char*, 5> grupos; // by group number 1 to 5, counted from the right
};

const Palabras kEspanol = {
    {"un", "dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho", "nueve"},
    {"diez", "once", "doce", "trece", "catorce", "quince", "dieciseis", "diecisiete", "dieciocho",
     "diecinueve"},
    {"veinte ", "treinta ", "cuarenta ", "cincuenta ", "sesenta ", "setenta ", "ochenta ", "noventa "},
    "y ",
    {"", " mil ", " millón ", " millón ", " trillón "},
};

const Palabras kIngles = {
    {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine"},
    {"Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen",
     "Nineteen"},
    {"Twenty ", "Thirty ", "Forty ", "Fifty ", "Sixty ", "Seventy ", "Eighty ", "Ninety "},
    "",
    {"", " Thousand ", " Million ", " Billion ", " Trillion "},
};

bool esIngles(const QString& idioma) {
    return idioma.toUpper() == QStringLiteral("INGLES");
}

const Palabras& palabrasDe(const QString& idioma) {
    return esIngles(idioma) ? kIngles : kEspanol;
}

// The value of a decimal digit character, or -1.
int valorDigito(QChar c) {
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

bool todoDigitos(const QString& texto) {
    for (const QChar c : texto) {
        if (valorDigito(c) < 0)
            return false;
    }
    return true;
}

QString palabra(const char* texto) {
    return QString::fromUtf8(texto);
}

// The name of a group of three digits, counted from the right; groups past the table have none.
QString nombreGrupo(const Palabras& palabras, qsizetype numero) {
    if (numero < 1 || numero > static_cast<qsizetype>(palabras.grupos.size()))
        return {};
    return palabra(palabras.grupos[static_cast<std::size_t>(numero - 1)]);
}

// The singular of a Spanish currency name: "pesos" → "peso", "dólares" → "dólar".
QString singular(const QString& moneda) {
    static const QString vocales = QStringLiteral("aeiouáéíóú");
    if (moneda.size() > 3 && moneda.endsWith(QStringLiteral("es"), Qt::CaseInsensitive) &&
        !vocales.contains(moneda.at(moneda.size() - 3).toLower()))
        return moneda.chopped(2);
    if (moneda.size() > 1 && moneda.endsWith(u's', Qt::CaseInsensitive))
        return moneda.chopped(1);
    return moneda;
}

// Trailing spaces of the words run into the group names ("veinte " + " mil "): one space between
// words is what belongs on a ticket.
QString espaciosSencillos(const QString& texto) {
    return texto.simplified();
}

} // namespace

QString NombreDigito(const QString& digito, const QString& idioma) {
    if (digito.size() != 1)
        return {};
    const int valor = valorDigito(digito.at(0));
    if (valor < 1)
        return {};
    return palabra(palabrasDe(idioma).digitos[static_cast<std::size_t>(valor - 1)]);
}

QString NombreDecenas(const QString& par, const QString& idioma) {
    if (par.size() != 2 || !todoDigitos(par))
        return {};
    const Palabras& palabras = palabrasDe(idioma);
    const int decena = valorDigito(par.at(0));
    const int unidad = valorDigito(par.at(1));
    if (decena == 1)
        return palabra(palabras.diezADiecinueve[static_cast<std::size_t>(unidad)]);
    if (decena < 2)
        return {};
    QString texto = palabra(palabras.decenas[static_cast<std::size_t>(decena - 2)]);
    if (unidad != 0)
        texto += palabra(palabras.unionDecenas) + NombreDigito(par.right(1), idioma);
    return texto;
}

QString NombreCientos(const QString& grupo, const QString& idioma) {
    if (grupo.isEmpty() || grupo.size() > 3 || !todoDigitos(grupo))
        return {};
    const QString tres = grupo.rightJustified(3, u'0');
    const QChar centena = tres.at(0);
    QString texto;
    if (centena != u'0') {
        if (esIngles(idioma)) {
            texto = NombreDigito(QString(centena), idioma) + QStringLiteral(" hundred ");
        } else if (centena == u'1') {
            texto = tres.mid(1) == QStringLiteral("00") ? QStringLiteral("cien ") : QStringLiteral("ciento ");
        } else if (centena == u'5') {
            texto = QStringLiteral("quinientos ");
        } else if (centena == u'7') {
            texto = QStringLiteral("setecientos ");
        } else if (centena == u'9') {
            texto = QStringLiteral("novecientos ");
        } else {
            texto = NombreDigito(QString(centena), idioma) + QStringLiteral("cientos ");
        }
    }
    if (tres.at(1) != u'0')
        texto += NombreDecenas(tres.mid(1), idioma);
    else
        texto += NombreDigito(tres.right(1), idioma);
    return texto;
}

QString MontoANombre(Currency monto, const QString& idioma, const QString& moneda) {
    const bool ingles = esIngles(idioma);
    QString texto = monto.toPlainText();
    QString signo;
    if (texto.startsWith(u'-')) {
        signo = ingles ? QStringLiteral("Minus ") : QStringLiteral("menos ");
        texto.remove(0, 1);
    }

    QString centavos;
    QString entero = texto;
    const qsizetype punto = texto.indexOf(u'.');
    if (punto >= 0) {
        centavos = texto.mid(punto + 1);
        if (centavos.size() == 1)
            centavos += u'0';
        entero = texto.left(punto).trimmed();
    }

    const Palabras& palabras = palabrasDe(idioma);
    QString palabrasEntero;
    qsizetype numeroGrupo = 1;
    for (qsizetype fin = entero.size(); fin > 0; fin -= 3, ++numeroGrupo) {
        const qsizetype inicio = std::max<qsizetype>(fin - 3, 0);
        const QString nombre = NombreCientos(entero.mid(inicio, fin - inicio), idioma);
        if (!nombre.isEmpty())
            palabrasEntero = nombre + nombreGrupo(palabras, numeroGrupo) + palabrasEntero;
    }
    palabrasEntero = espaciosSencillos(palabrasEntero);

    QString resultado;
    if (ingles) {
        if (palabrasEntero.isEmpty())
            resultado = QStringLiteral("zero Dollars");
        else if (palabrasEntero == QStringLiteral("One"))
            resultado = QStringLiteral("One Dollar");
        else
            resultado = palabrasEntero + QStringLiteral(" Dollars");
        resultado += centavos.isEmpty() ? QStringLiteral(" and zero Cents")
                                        : QStringLiteral(" and ") + centavos + QStringLiteral(" Cents");
    } else {
        if (palabrasEntero.isEmpty())
            resultado = QStringLiteral("Cero ") + moneda;
        else if (entero == QStringLiteral("1"))
            resultado = QStringLiteral("Un ") + singular(moneda);
        else
            resultado = palabrasEntero + u' ' + moneda;
        if (centavos.isEmpty() || centavos == QStringLiteral("0"))
            resultado += QStringLiteral(" 00/100");
        else
            resultado += u' ' + centavos.rightJustified(2, u'0') + QStringLiteral("/100");
    }
    resultado = signo + resultado;
    if (!resultado.isEmpty())
        resultado[0] = resultado.at(0).toUpper();
    return resultado;
}

} // namespace nerin

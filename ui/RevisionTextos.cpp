#include "ui/RevisionTextos.h"

#include "ui/AjusteTexto.h"
#include "ui/TeclaTactil.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTextDocument>
#include <cmath>

namespace nerin {

namespace {

// Text widths are fractional and rounded up by the measures; a pixel over is no cut.
constexpr int kHolgura = 1;
constexpr int kSinLimite = 100000;

bool excede(QSize necesita, QSize tiene) {
    return necesita.width() > tiene.width() + kHolgura || necesita.height() > tiene.height() + kHolgura;
}

QString sinEspacios(const QString& texto) {
    QString letras;
    for (const QChar c : texto)
        if (!c.isSpace())
            letras += c;
    return letras;
}

// The room `texto` takes in `letra`, in lines as long as it likes, or within `ancho` when it wraps.
QSize medida(const QFont& letra, const QString& texto, bool ajusta, int ancho) {
    const QFontMetrics medidas(letra);
    if (ajusta)
        return medidas.boundingRect(QRect(0, 0, ancho, kSinLimite), Qt::TextWordWrap, texto).size();
    return medidas.boundingRect(QRect(0, 0, kSinLimite, kSinLimite), 0, texto).size();
}

// Controls inside a scrolling area are partly out of sight by design.
bool enDesplazable(const QWidget* control) {
    for (const QWidget* padre = control->parentWidget(); padre; padre = padre->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(padre))
            return true;
    return false;
}

// The part of the control that its window shows: its rectangle within every one of its holders'.
QSize parteVisible(const QWidget* control) {
    const QWidget* ventana = control->window();
    QRect visible(control->mapTo(ventana, QPoint(0, 0)), control->size());
    for (const QWidget* padre = control->parentWidget(); padre && padre != ventana;
         padre = padre->parentWidget())
        visible &= QRect(padre->mapTo(ventana, QPoint(0, 0)), padre->size());
    visible &= ventana->rect();
    return visible.isValid() ? visible.size() : QSize(0, 0);
}

QStyleOptionButton opcionDe(const QAbstractButton* boton) {
    QStyleOptionButton opcion;
    opcion.initFrom(boton);
    opcion.text = boton->text();
    opcion.icon = boton->icon();
    opcion.iconSize = boton->iconSize();
    return opcion;
}

} // namespace

void RevisionTextos::revisarVentanas() {
    // Screens are judged as they are laid out, not in the moment between a change and its layout.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QList<QWidget*> ventanas = QApplication::topLevelWidgets();
    for (QWidget* ventana : ventanas)
        if (ventana->isVisible())
            revisar(ventana);
}

void RevisionTextos::revisar(QWidget* ventana) {
    if (const QScreen* pantalla = ventana->screen(); pantalla && ventana->isWindow()) {
        const QSize tiene = pantalla->geometry().size();
        if (excede(ventana->size(), tiene))
            anotar(ventana, ventana, ventana->windowTitle(), ventana->size(), tiene);
    }
    const QList<QWidget*> controles = ventana->findChildren<QWidget*>();
    for (const QWidget* control : controles) {
        if (!control->isVisible())
            continue;
        QString texto;
        if (const auto* etiqueta = qobject_cast<const QLabel*>(control)) {
            texto = etiqueta->text();
            if (texto.isEmpty())
                continue;
            const int margen = etiqueta->margin();
            const QSize tiene = etiqueta->contentsRect().adjusted(margen, margen, -margen, -margen).size();
            QSize necesita;
            const bool rico = etiqueta->textFormat() == Qt::RichText ||
                              (etiqueta->textFormat() == Qt::AutoText && Qt::mightBeRichText(texto));
            if (rico) {
                QTextDocument documento;
                documento.setDefaultFont(etiqueta->font());
                documento.setDocumentMargin(0);
                documento.setHtml(texto);
                if (etiqueta->wordWrap())
                    documento.setTextWidth(tiene.width());
                necesita = QSize(static_cast<int>(std::ceil(documento.idealWidth())),
                                 static_cast<int>(std::ceil(documento.size().height())));
            } else {
                necesita = medida(etiqueta->font(), texto, etiqueta->wordWrap(), tiene.width());
            }
            if (excede(necesita, tiene))
                anotar(ventana, control, texto, necesita, tiene);
        } else if (const auto* tecla = dynamic_cast<const TeclaTactil*>(control);
                   tecla && tecla->icon().isNull()) {
            texto = AjusteTexto::sinAtajos(tecla->text());
            const QString dibujado = tecla->ajuste().lineas.join(QLatin1Char('\n'));
            const QSize tiene = tecla->areaTexto().size();
            const QSize necesita = medida(tecla->letraAjustada(), dibujado, false, 0);
            if (excede(necesita, tiene) || sinEspacios(dibujado) != sinEspacios(texto))
                anotar(ventana, control, texto, necesita, tiene);
        } else if (const auto* boton = qobject_cast<const QAbstractButton*>(control)) {
            texto = AjusteTexto::sinAtajos(boton->text());
            if (texto.isEmpty())
                continue;
            const QStyleOptionButton opcion = opcionDe(boton);
            QStyle::SubElement area = QStyle::SE_PushButtonContents;
            if (qobject_cast<const QCheckBox*>(boton))
                area = QStyle::SE_CheckBoxContents;
            else if (qobject_cast<const QRadioButton*>(boton))
                area = QStyle::SE_RadioButtonContents;
            else if (!qobject_cast<const QPushButton*>(boton))
                continue;
            QSize tiene = boton->style()->subElementRect(area, &opcion, boton).size();
            if (area == QStyle::SE_PushButtonContents && !boton->icon().isNull())
                tiene.rwidth() -= boton->iconSize().width() + 4;
            const QSize necesita = medida(boton->font(), texto, false, 0);
            if (excede(necesita, tiene))
                anotar(ventana, control, texto, necesita, tiene);
        } else {
            continue;
        }
        if (!enDesplazable(control)) {
            const QSize visible = parteVisible(control);
            if (visible != control->size())
                anotar(ventana, control, texto, control->size(), visible);
        }
    }
}

void RevisionTextos::anotar(const QWidget* ventana, const QWidget* control, const QString& texto,
                            QSize necesita, QSize tiene) {
    const auto nombre = [](const QWidget* w) {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
    };
    const Cortado cortado{nombre(ventana), nombre(control), texto, necesita, tiene};
    if (!m_cortados.contains(cortado))
        m_cortados.append(cortado);
}

QString RevisionTextos::informe() const {
    QStringList lineas;
    for (const Cortado& c : m_cortados)
        lineas.append(
            QStringLiteral("%1/%2 «%3»: necesita %4x%5, tiene %6x%7")
                .arg(c.pantalla, c.control, QString(c.texto).replace(QLatin1Char('\n'), QLatin1Char('|')))
                .arg(c.necesita.width())
                .arg(c.necesita.height())
                .arg(c.tiene.width())
                .arg(c.tiene.height()));
    return lineas.join(QLatin1Char('\n'));
}

} // namespace nerin

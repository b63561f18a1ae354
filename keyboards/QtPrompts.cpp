#include "keyboards/QtPrompts.h"

#include "keyboards/FrmTecladoHora.h"
#include "keyboards/FrmTecladoNum.h"
#include "keyboards/FrmTecladoPago.h"
#include "keyboards/frmMsg.h"
#include "keyboards/frmTecladoLibre.h"
#include "keyboards/frmTecladoNumerico.h"

#include <QWidget>

namespace nerin {

QtPrompts::QtPrompts(Bitacora* bitacora, QWidget* parent) : m_bitacora(bitacora), m_parent(parent) {}

int QtPrompts::Mensaje(const QString& texto, int estilo) {
    frmMsg msg(m_parent);
    msg.setMensaje(texto, estilo);
    msg.mostrar();
    return msg.respuesta();
}

Prompts::NumberAnswer QtPrompts::numero(const NumberRequest& request) {
    frmTecladoNumerico teclado(m_bitacora, m_parent);
    teclado.setTitulo(request.titulo);
    teclado.setDefaultNum(request.defaultNum);
    teclado.setRango(request.minimo, request.maximo);
    teclado.setMostrarAbierto(request.mostrarAbierto);
    teclado.mostrar();
    NumberAnswer answer;
    answer.cancelado = teclado.Cancelado();
    answer.numero = teclado.numero();
    answer.abierto = teclado.abierto();
    return answer;
}

Prompts::TextAnswer QtPrompts::texto(const TextRequest& request) {
    frmTecladoLibre teclado(m_parent);
    teclado.setTitulo(request.titulo);
    teclado.setMaximo(request.maximo);
    teclado.setTexto(request.inicial);
    teclado.setMbTexto(request.mbTexto);
    teclado.mostrar();
    TextAnswer answer;
    answer.cancelado = teclado.Cancelado();
    if (!answer.cancelado)
        answer.texto = teclado.texto();
    return answer;
}

Prompts::TimeAnswer QtPrompts::hora(const QTime& inicial) {
    FrmTecladoHora teclado(m_parent);
    teclado.setHora(inicial);
    teclado.mostrar();
    TimeAnswer answer;
    answer.cancelado = teclado.Cancelado();
    answer.hora = teclado.getHora();
    return answer;
}

Prompts::PaymentAnswer QtPrompts::pago(const PaymentRequest& request) {
    FrmTecladoPago teclado(m_parent);
    teclado.setTitulo(request.titulo);
    teclado.setMonto(request.monto);
    teclado.mostrar();
    PaymentAnswer answer;
    answer.cancelado = teclado.Cancelado();
    if (!answer.cancelado) {
        answer.monto = teclado.monto();
        answer.propina = teclado.propina();
        answer.referencia = teclado.referencia();
    }
    return answer;
}

Prompts::ValueAnswer QtPrompts::valor(const ValueRequest& request) {
    FrmTecladoNum teclado(m_parent);
    teclado.setTitulo(request.titulo);
    teclado.setOriginal(request.original, request.modo);
    teclado.setPorcentaje(request.porcentaje);
    teclado.mostrar();
    ValueAnswer answer;
    answer.cancelado = teclado.Cancelado();
    answer.porcentaje = teclado.porcentaje();
    if (!answer.cancelado)
        answer.valor = teclado.valor();
    return answer;
}

} // namespace nerin

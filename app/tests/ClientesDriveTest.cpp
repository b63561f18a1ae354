// Customers through the real nerin-terminal: a manager registers a loyalty customer from the functions
// menu, and a waiter opening a delivery order finds a customer in the list, changes its second
// surname and gives the order that customer.
#include "app/tests/TerminalDriveFixture.h"
#include "loyalty/tests/ServicioLealtadPrueba.h"

namespace nerin {
namespace {

using namespace fakes;

class ClientesDriveTest : public TerminalDriveFixture {
protected:
    void SetUp() override {
        TerminalDriveFixture::SetUp();
        ASSERT_TRUE(servicio.iniciado()) << servicio.error().toStdString();
        sql(QStringLiteral("UPDATE Parametros SET Valor_Cad='") + servicio.url() +
            QStringLiteral("' WHERE Id_Parametro='URL_LEALTAD'"));
    }

    // cajero1 opens the registration screen and types a whole customer.
    static QStringList capturar() {
        QStringList lineas{kTarjetaCajero1, QStringLiteral("click cmdUtilerias"),
                           QStringLiteral("click cmdArticulos"), QStringLiteral("click cmdClientes")};
        const char* campos[][2] = {{"Nombre", "MAIRE"},
                                   {"ApPaterno", "O'CONNOR"},
                                   {"ApMaterno", "RUIZ"},
                                   {"Tel", "3312345678"},
                                   {"CP", "45100"},
                                   {"Email", "Maire.OConnor@Correo.MX"},
                                   {"Edad", "34"},
                                   {"Genero", "F"},
                                   {"Ciudad", "GUADALAJARA"},
                                   {"TarjetaTemporal", "1000001"}};
        for (const auto& campo : campos)
            lineas << QStringLiteral("click cmdEditar") + QLatin1String(campo[0])
                   << QStringLiteral("enter ") + QString::fromUtf8(campo[1]);
        return lineas;
    }
    QString clientes4() {
        return valor(QStringLiteral("SELECT ISNULL(nombrecliente,'') + '|' + ISNULL(ApPaterno,'') + '|' + "
                                    "ISNULL(ApMaterno,'') + '|' + ISNULL(Numtarjeta,'') FROM Clientes WHERE "
                                    "CveCliente=4"))
            .toString();
    }

    ServicioLealtadPrueba servicio;
};

TEST_F(ClientesDriveTest, WithTheServiceStoppedNothingIsRegisteredAndThePersonIsTold) {
    servicio.detener();
    EXPECT_EQ(
        conducir(capturar() + QStringList{QStringLiteral("click cmdAceptar"),
                                          QStringLiteral("expect-message Error: No se pudo conectar con el "
                                                         "servicio de lealtad."),
                                          QStringLiteral("answer ok"),
                                          QStringLiteral("expect txtApPaterno O'CONNOR"),
                                          QStringLiteral("click cmdCancelar"),
                                          QStringLiteral("expect-message Desea registrar otro cliente?"),
                                          QStringLiteral("answer no"), QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(clientes4(), QString());
}

// The restaurant's record fails once after the service registered the customer: the second
// "Aceptar" stores the record without registering the customer again (the service would refuse the
// temporary card, now taken). A waiter then opens a delivery order, finds the customer in the list,
// changes its second surname and gives the order that customer.
TEST_F(ClientesDriveTest, ARegisteredCustomerIsStoredOnceTheRestaurantCanAndServesADeliveryOrder) {
    EXPECT_EQ(
        conducir(
            capturar() +
            QStringList{QStringLiteral("fail-sql 1 INSERT INTO CLIENTES"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("answer ok"),
                        QStringLiteral(
                            "expect-message El cliente quedó registrado en el servicio de lealtad, pero no "
                            "se guardó en este restaurante: oprima Aceptar para guardarlo de nuevo."),
                        QStringLiteral("answer ok"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect-message Datos Almacenados correctamente!"),
                        QStringLiteral("answer ok"),
                        QStringLiteral("expect-message Desea registrar otro cliente?"),
                        QStringLiteral("answer no"),
                        QStringLiteral("click cmdSalir"),
                        QStringLiteral("expect lblTerminal CAJA PRINCIPAL"),
                        kTarjetaMesero1,
                        QStringLiteral("click cmdAbrirMesa"),
                        QStringLiteral("click optDomicilio"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect lblTitulo Clientes"),
                        QStringLiteral("click cmdBuscarTel"),
                        QStringLiteral("enter 0000"),
                        QStringLiteral("expect-message Cliente no encontrado!"),
                        QStringLiteral("answer ok"),
                        QStringLiteral("click cmdLista"),
                        QStringLiteral("click cmdEditarApellidos"),
                        QStringLiteral("enter O'CONNOR"),
                        QStringLiteral("select grdClientes 1"),
                        QStringLiteral("expect txtNombre MAIRE"),
                        QStringLiteral("click cmdEditarApMaterno"),
                        QStringLiteral("click cmdBorrarTodo"),
                        QStringLiteral("enter DÍAZ"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect-message Datos Almacenados correctamente!"),
                        QStringLiteral("answer ok"),
                        QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(clientes4(), QStringLiteral("MAIRE|O'CONNOR|DÍAZ|1000001"));
    QStringList operaciones;
    for (const ServicioLealtadPrueba::Solicitud& solicitud : servicio.solicitudes())
        operaciones.append(solicitud.operacion);
    EXPECT_EQ(operaciones, QStringList{QStringLiteral("Register")});
    EXPECT_EQ(
        valor(QStringLiteral("SELECT CveCliente FROM Cuenta WHERE ID_Comanda=(SELECT MAX(ID_Comanda) FROM "
                             "Comanda)"))
            .toInt(),
        4);
}

} // namespace
} // namespace nerin

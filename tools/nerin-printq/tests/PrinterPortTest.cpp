#include "tools/nerin-printq/PrinterPort.h"

#include <gtest/gtest.h>

using nerin::EscPosRenderer;
using nerin::PrinterPort;
using Kind = PrinterPort::Kind;

namespace {

struct Caso {
    const char* puerto;
    Kind kind;
    const char* destino; // host:port or path
    EscPosRenderer::CodePage pagina;
    PrinterPort::Rendering rendering;
};

QString destino(const PrinterPort& port) {
    return port.kind() == Kind::Tcp ? QStringLiteral("%1:%2").arg(port.host()).arg(port.port()) : port.path();
}

} // namespace

TEST(PrinterPort, ReadsThePortAndTheProfileOfAPrinter) {
    constexpr auto pc850 = EscPosRenderer::CodePage::Pc850;
    constexpr auto wpc1252 = EscPosRenderer::CodePage::Wpc1252;
    constexpr auto escpos = PrinterPort::Rendering::EscPos;
    const Caso casos[] = {
        {"tcp://10.0.0.7:9100", Kind::Tcp, "10.0.0.7:9100", pc850, escpos},
        {"TCP://cocina.local", Kind::Tcp, "cocina.local:9100", pc850, escpos},
        {"tcp://[::1]:9101/", Kind::Tcp, "::1:9101", pc850, escpos},
        {"tcp://10.0.0.7:9100?wpc1252", Kind::Tcp, "10.0.0.7:9100", wpc1252, escpos},
        {" /dev/usb/lp0 ?PC850", Kind::Device, "/dev/usb/lp0", pc850, escpos},
        {"file:caja.txt", Kind::File, "/estado/caja.txt", pc850, escpos},
        {"file:/var/tmp/caja.txt?texto", Kind::File, "/var/tmp/caja.txt", pc850,
         PrinterPort::Rendering::PlainText},
        {"dir:impresos/barra?Texto&WPC1252", Kind::Folder, "/estado/impresos/barra", wpc1252,
         PrinterPort::Rendering::PlainText},
    };
    for (const Caso& caso : casos) {
        const auto port = PrinterPort::parse(QString::fromUtf8(caso.puerto), QStringLiteral("/estado"));
        ASSERT_TRUE(port.isOk()) << caso.puerto << ": " << port.status().message().toStdString();
        EXPECT_EQ(port->kind(), caso.kind) << caso.puerto;
        EXPECT_EQ(destino(*port), QString::fromUtf8(caso.destino)) << caso.puerto;
        EXPECT_EQ(port->codePage(), caso.pagina) << caso.puerto;
        EXPECT_EQ(port->rendering(), caso.rendering) << caso.puerto;
    }
}

TEST(PrinterPort, RefusesWhatItCannotPrintTo) {
    const std::pair<const char*, const char*> casos[] = {
        {"", "La impresora no tiene puerto"},
        {"LPT1", "Puerto no reconocido: LPT1"},
        {"\\\\caja\\termica", "Puerto no reconocido: \\\\caja\\termica"},
        {"tcp://:9100", "Falta la dirección de la impresora: tcp://:9100"},
        {"tcp://10.0.0.7:0", "Número de puerto no válido: tcp://10.0.0.7:0"},
        {"tcp://10.0.0.7:70000", "Número de puerto no válido: tcp://10.0.0.7:70000"},
        {"file:", "Falta la ruta del puerto: file:"},
        {"tcp://10.0.0.7?cp437", "Opción de puerto desconocida: cp437"},
    };
    for (const auto& [puerto, mensaje] : casos) {
        const auto port = PrinterPort::parse(QString::fromUtf8(puerto), QStringLiteral("/estado"));
        ASSERT_FALSE(port.isOk()) << puerto;
        EXPECT_EQ(port.status().message(), QString::fromUtf8(mensaje)) << puerto;
    }
}

TEST(PrinterPort, RendersForItsProfile) {
    const QStringList lineas = {QStringLiteral("<B>Año</B>")};
    const auto texto = PrinterPort::parse(QStringLiteral("file:x?texto"), QStringLiteral("/estado"));
    EXPECT_EQ(texto->render(lineas), QByteArray("A\xC3\xB1o\n"));
    const auto impresora = PrinterPort::parse(QStringLiteral("file:x?wpc1252"), QStringLiteral("/estado"));
    EXPECT_EQ(impresora->render(lineas), EscPosRenderer(EscPosRenderer::CodePage::Wpc1252).render(lineas));
    EXPECT_EQ(texto->jobFileName(12), QStringLiteral("trabajo-12.txt"));
    EXPECT_EQ(impresora->jobFileName(12), QStringLiteral("trabajo-12.prn"));
}

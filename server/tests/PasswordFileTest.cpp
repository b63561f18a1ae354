#include "server/PasswordFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using nerin::PasswordFile;

TEST(PasswordFile, OnlyAFileOfTheUserThatNobodyElseReadsIsUsed) {
    constexpr auto kOwner = QFile::ReadOwner | QFile::WriteOwner;
    const struct {
        const char* content;
        QFile::Permissions permissions;
        bool otherOwner;
        bool accepted;
        const char* expected; // the password, or the refusal after "El archivo de la clave <path> "
    } cases[] = {
        {"s3cr3t\n", kOwner, false, true, "s3cr3t"},
        {"con espacio;y{llaves}\r\nsegunda línea\n", QFile::ReadOwner, false, true, "con espacio;y{llaves}"},
        {"s3cr3t", kOwner | QFile::ReadGroup, false, false,
         "tiene permisos 640; solo su dueño debe poder leerlo (permisos 600 o 400)."},
        {"s3cr3t", QFile::ReadOwner | QFile::ReadOther, false, false,
         "tiene permisos 404; solo su dueño debe poder leerlo (permisos 600 o 400)."},
        {"s3cr3t", kOwner | QFile::ExeOwner, false, false,
         "tiene permisos 700; solo su dueño debe poder leerlo (permisos 600 o 400)."},
        {"", kOwner, false, false, "está vacío."},
        {"\n", QFile::ReadOwner, false, false, "está vacío."},
        {"s3cr3t", kOwner, true, false,
         "pertenece a otro usuario (65534); debe ser del usuario que ejecuta la terminal (0)."},
    };
    QTemporaryDir dir;
    int n = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("clave%1").arg(++n));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        ASSERT_TRUE(file.setPermissions(c.permissions));
        // Only the superuser can give a file away.
        if (c.otherOwner &&
            (::geteuid() != 0 || ::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0))
            continue;
        const auto read = PasswordFile::read(path);
        ASSERT_EQ(read.isOk(), c.accepted) << c.expected;
        if (c.accepted)
            EXPECT_EQ(*read, QString::fromUtf8(c.expected));
        else
            EXPECT_EQ(
                read.status().message(),
                QStringLiteral("El archivo de la clave %1 %2").arg(path, QString::fromUtf8(c.expected)));
    }
    const QString missing = dir.filePath(QStringLiteral("no-existe"));
    EXPECT_EQ(PasswordFile::read(missing).status().message(),
              QStringLiteral("No existe el archivo de la clave %1.").arg(missing));
}

#include "tools/nerin-sql/SqlShell.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return nerin::SqlShell(stdout, stderr).run(arguments);
}

#include "tools/nerin-printq/PrintQueueProgram.h"

#include <QCoreApplication>
#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> g_stop{false};

extern "C" void requestStop(int) {
    g_stop = true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // Stopping lets the jobs being sent finish and records them, so no job is printed twice.
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return nerin::PrintQueueProgram(stdout, stderr).run(arguments, g_stop);
}

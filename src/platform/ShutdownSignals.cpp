// ShutdownSignals: a self-pipe written by the signal handlers and watched by a QSocketNotifier.
#include "platform/ShutdownSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int tuberia[2] = {-1, -1};
constexpr int Senales[] = {SIGTERM, SIGINT, SIGHUP};

void Manejador(int) {
    const int guardado = errno;
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(tuberia[1], &byte, 1);
    errno = guardado;
}

} // namespace

ShutdownSignals::ShutdownSignals(QObject* padre) : QObject(padre) {
    if (::pipe2(tuberia, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notificador_ = new QSocketNotifier(tuberia[0], QSocketNotifier::Read, this);
    connect(notificador_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(tuberia[0], bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    struct sigaction accion {};
    accion.sa_handler = Manejador;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (const int s : Senales)
        ::sigaction(s, &accion, nullptr);
}

ShutdownSignals::~ShutdownSignals() {
    struct sigaction defecto {};
    defecto.sa_handler = SIG_DFL;
    for (const int s : Senales)
        ::sigaction(s, &defecto, nullptr);
    delete notificador_;
    ::close(tuberia[0]);
    ::close(tuberia[1]);
    tuberia[0] = tuberia[1] = -1;
}

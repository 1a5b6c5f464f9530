// Exclusive flock(2) on a call-log file, re-taken when a rewrite has replaced the file.
#include "calllog/BloqueoLlamadas.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#ifndef _WIN32
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <io.h>
#endif

namespace ArchivoLlamadas {

namespace {

#ifndef _WIN32
constexpr auto Espera = std::chrono::milliseconds(2);
constexpr int Intentos = 5000; // about 10 s

// Polls rather than blocks, so a stopped holder delays an append but cannot hang the program.
bool Bloquear(int fd) {
    for (int i = 0; i < Intentos; ++i) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return false;
        std::this_thread::sleep_for(Espera);
    }
    errno = EWOULDBLOCK;
    return false;
}

bool MismoArchivo(int fd, const std::filesystem::path& archivo) {
    struct stat abierto {};
    struct stat actual {};
    return ::fstat(fd, &abierto) == 0 && ::stat(archivo.c_str(), &actual) == 0 &&
           abierto.st_dev == actual.st_dev && abierto.st_ino == actual.st_ino;
}
#endif

} // namespace

int AbrirBloqueado(const std::filesystem::path& archivo, int flags, unsigned modo) {
#ifndef _WIN32
    for (int intento = 0; intento < 1000; ++intento) {
        const int fd = ::open(archivo.c_str(), flags, static_cast<mode_t>(modo));
        if (fd < 0)
            return -1;
        if (!Bloquear(fd)) {
            const int err = errno;
            if (err == ENOLCK || err == EOPNOTSUPP || err == ENOSYS || err == EINVAL)
                return fd;
            ::close(fd);
            errno = err;
            return -1;
        }
        if (MismoArchivo(fd, archivo))
            return fd;
        ::close(fd);
    }
    errno = EWOULDBLOCK;
    return -1;
#else
    return ::_open(archivo.string().c_str(), flags, static_cast<int>(modo));
#endif
}

#ifndef _WIN32
Bloqueo::Bloqueo(const std::filesystem::path& archivo)
    : fd_(AbrirBloqueado(archivo, O_RDONLY | O_CLOEXEC)), error_(fd_ < 0 ? errno : 0) {}

Bloqueo::~Bloqueo() {
    if (fd_ >= 0)
        ::close(fd_);
}
#else
// No lock on Windows yet: the rewrite goes on as before.
Bloqueo::Bloqueo(const std::filesystem::path&) {}
Bloqueo::~Bloqueo() = default;
#endif

} // namespace ArchivoLlamadas

// Advisory lock on a call-log file, so an append never falls between a rewrite's check and its
// rename.
#pragma once

#include <filesystem>

namespace ArchivoLlamadas {

// open(2) of `archivo` that returns holding an exclusive lock on the file found at that path
// once locked: a rewrite renames a new file into place, and a lock on the replaced one guards
// nothing, so the open is retried until the two agree. Waits up to about 10 s for another
// holder; -1 with errno set on failure. Where the file system has no locks the file is opened
// unlocked. The lock ends when the descriptor is closed.
int AbrirBloqueado(const std::filesystem::path& archivo, int flags, unsigned modo = 0666);

// The lock held for a scope, on a file that already exists. Holders in one process exclude each
// other too: never call back into code that appends to the same file while holding it.
class Bloqueo {
public:
    explicit Bloqueo(const std::filesystem::path& archivo);
    ~Bloqueo();
    Bloqueo(const Bloqueo&) = delete;
    Bloqueo& operator=(const Bloqueo&) = delete;
    int error() const { return error_; } // errno of a failure, 0 when taken

private:
    int fd_ = -1;
    int error_ = 0;
};

} // namespace ArchivoLlamadas

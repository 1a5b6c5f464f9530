// Call-log files on disk: reading whole, appending under the lock, and replacing atomically
// (temporary file in the same folder, fsync, rename).
#include "calllog/ArchivoLlamadas.h"

#include "calllog/BloqueoLlamadas.h"

#include <atomic>
#include <cerrno>
#include <memory>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ArchivoLlamadas {

namespace fs = std::filesystem;

namespace {

std::string Razon(const char* que, const fs::path& ruta, int err) {
    return std::string(que) + " «" + ruta.string() +
           "»: " + std::error_code(err, std::generic_category()).message();
}

bool EscribirTodo(int fd, const char* p, size_t n) {
    while (n > 0) {
        const ssize_t r = ::write(fd, p, n);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

// The whole file in one buffer; an error text when it cannot be read.
std::string LeerBytes(const fs::path& ruta, std::unique_ptr<char[]>& datos, size_t& tam) {
    tam = 0;
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Razon("No se puede abrir", ruta, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : S_ISREG(st.st_mode) ? errno : EINVAL;
        ::close(fd);
        return Razon("No se puede leer", ruta, err);
    }
    const auto total = static_cast<size_t>(st.st_size);
    datos.reset(new (std::nothrow) char[total + 1]);
    if (!datos) {
        ::close(fd);
        return Razon("No hay memoria para leer", ruta, ENOMEM);
    }
    while (tam < total) {
        const ssize_t r = ::read(fd, datos.get() + tam, total - tam);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0) {
            const int err = errno;
            ::close(fd);
            return Razon("No se puede leer", ruta, err);
        }
        if (r == 0)
            break;
        tam += static_cast<size_t>(r);
    }
    ::close(fd);
    return {};
}

// Temporary files of Reemplazar are named ".<file>.tmp<pid>-<n>" beside their file.
std::string PrefijoTemporal(const fs::path& archivo) {
    return "." + archivo.filename().string() + ".tmp";
}

fs::path Destino(const fs::path& archivo) {
    std::error_code ec;
    if (fs::is_symlink(archivo, ec)) {
        const fs::path real = fs::weakly_canonical(archivo, ec);
        if (!ec)
            return real;
    }
    return archivo;
}

// Writes the new content into the open file; false, with errno set, on failure.
using Contenido = std::function<bool(int fd)>;

// Replaces `archivo` by what `escribir` writes, through a temporary file in the same folder, so
// that a failure at any point leaves the old file as it was.
Resultado Reemplazar(const fs::path& archivo, const Contenido& escribir) {
    static std::atomic<unsigned> contador{0};
    const fs::path destino = Destino(archivo);
    const fs::path carpeta = destino.has_parent_path() ? destino.parent_path() : fs::path(".");
    struct stat anterior {};
    const bool existia = ::stat(destino.c_str(), &anterior) == 0;
    if (existia && S_ISDIR(anterior.st_mode))
        return {Razon("No se puede escribir", destino, EISDIR)};

    fs::path temporal;
    int fd = -1;
    for (int intento = 0; intento < 100 && fd < 0; ++intento) {
        std::string nombre = PrefijoTemporal(destino);
        nombre += std::to_string(::getpid()) + "-" + std::to_string(contador++);
        temporal = carpeta / nombre;
        fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return {Razon("No se puede crear un archivo temporal para", destino, errno)};

    auto fallo = [&](const char* que, int err) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporal.c_str());
        return Resultado{Razon(que, destino, err)};
    };
    if (existia)
        ::fchmod(fd, anterior.st_mode & 07777);
    if (!escribir(fd))
        return fallo("No se puede escribir", errno);
    if (::fsync(fd) != 0)
        return fallo("No se puede guardar en disco", errno);
    const int cerrado = ::close(fd);
    fd = -1;
    if (cerrado != 0)
        return fallo("No se puede guardar en disco", errno);
    if (::rename(temporal.c_str(), destino.c_str()) != 0)
        return fallo("No se puede reemplazar", errno);
    const int dir = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

} // namespace

Resultado Reemplazar(const fs::path& archivo, std::string_view contenido) {
    return Reemplazar(archivo, [contenido](int fd) {
        return EscribirTodo(fd, contenido.data(), contenido.size());
    });
}

void BorrarTemporales(const fs::path& archivo) {
    const fs::path carpeta = archivo.has_parent_path() ? archivo.parent_path() : fs::path(".");
    const std::string prefijo = PrefijoTemporal(archivo);
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(carpeta, ec))
        if (e.path().filename().string().starts_with(prefijo))
            fs::remove(e.path(), ec);
}

Lectura Leer(const fs::path& archivo, const Avance& avance) {
    std::unique_ptr<char[]> datos;
    size_t tam = 0;
    std::string error = LeerBytes(archivo, datos, tam);
    if (!error.empty()) {
        Lectura r;
        r.ok = false;
        r.error.motivo = std::move(error);
        return r;
    }
    try {
        return LeerTexto(std::string_view(datos.get(), tam), avance);
    } catch (const std::bad_alloc&) {
        Lectura r;
        r.ok = false;
        r.error.motivo = Razon("No hay memoria para leer", archivo, ENOMEM);
        return r;
    }
}

namespace {

// The bytes from `desde` to the end; false when they cannot be read.
bool LeerCola(const fs::path& ruta, off_t cola, std::string& bytes, off_t& desde) {
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool leido = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    desde = leido && st.st_size > cola ? st.st_size - cola : 0;
    bytes.assign(leido ? static_cast<size_t>(st.st_size - desde) : 0, '\0');
    for (size_t hecho = 0; leido && hecho < bytes.size();) {
        const ssize_t r = ::pread(fd, bytes.data() + hecho, bytes.size() - hecho,
                                  desde + static_cast<off_t>(hecho));
        if (r < 0 && errno == EINTR)
            continue;
        leido = r > 0;
        hecho += leido ? static_cast<size_t>(r) : 0;
    }
    ::close(fd);
    return leido;
}

} // namespace

std::optional<Llamada> LeerUltima(const fs::path& archivo) {
    // Far more than one line of the written form.
    constexpr off_t Cola = off_t{1} << 16;
    std::string bytes;
    off_t desde = 0;
    if (!LeerCola(archivo, Cola, bytes, desde))
        return std::nullopt;
    std::string_view cola(bytes);
    if (desde > 0) {
        // From the first line start on: a line of the written form is one record.
        const size_t salto = cola.find('\n');
        cola = salto == std::string_view::npos ? std::string_view() : cola.substr(salto + 1);
    }
    if (desde == 0 || !cola.empty()) {
        const Lectura r = LeerTexto(cola);
        if (r.ok && !r.llamadas.empty())
            return r.llamadas.back();
        if (desde == 0)
            return std::nullopt;
    }
    // The tail does not start on a record (records across lines, a damaged end): the whole
    // file decides.
    const Lectura r = Leer(archivo);
    if (!r.ok || r.llamadas.empty())
        return std::nullopt;
    return r.llamadas.back();
}

Resultado Anadir(const fs::path& archivo, const Llamada& llamada) {
    if (std::string p = ProblemaRegistro(llamada); !p.empty())
        return {"No se puede guardar la llamada en «" + archivo.string() + "»: " + p};
    std::string linea = LineaRegistro(llamada);
    // Locked, so the call window's rewrite either holds this record or waits for it.
    const int fd = AbrirBloqueado(archivo, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC);
    if (fd < 0)
        return {Razon("No se puede abrir para añadir", archivo, errno)};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return {Razon("No se puede añadir a", archivo, err)};
    }
    // A last line left without its line end would otherwise run into the new record.
    char ultimo = '\n';
    if (st.st_size > 0 && ::pread(fd, &ultimo, 1, st.st_size - 1) != 1)
        ultimo = '\n';
    if (ultimo != '\n')
        linea.insert(0, "\r\n");
    int err = 0;
    if (!EscribirTodo(fd, linea.data(), linea.size()) || ::fsync(fd) != 0)
        err = errno;
    if (err != 0) {
        // Leave no partial line behind: the caller is told the call was not kept.
        if (::ftruncate(fd, st.st_size) != 0) {
            ::close(fd);
            return {Razon("No se pudo añadir y el final quedó incompleto en", archivo, err)};
        }
    }
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        return {Razon("No se puede añadir a", archivo, err)};
    return {};
}

Resultado Escribir(const fs::path& archivo, const std::vector<Llamada>& llamadas) {
    for (size_t i = 0; i < llamadas.size(); ++i)
        if (std::string p = ProblemaRegistro(llamadas[i]); !p.empty())
            return {"No se puede guardar «" + archivo.string() + "»: llamada " +
                    std::to_string(i + 1) + ": " + p};
    // The text is handed over a block at a time, so it is never whole in memory.
    return Reemplazar(archivo, [&llamadas](int fd) {
        return EscribirEnBloques(llamadas,
                                 [fd](const char* p, size_t n) { return EscribirTodo(fd, p, n); });
    });
}

Resultado Vaciar(const fs::path& archivo) {
    return Reemplazar(archivo, std::string_view());
}

Resultado CrearSiFalta(const fs::path& archivo) {
    const int fd = ::open(archivo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        if (::close(fd) != 0)
            return {Razon("No se puede crear", archivo, errno)};
        return {};
    }
    if (errno != EEXIST)
        return {Razon("No se puede crear", archivo, errno)};
    struct stat st {};
    if (::stat(archivo.c_str(), &st) != 0)
        return {Razon("No se puede crear", archivo, errno)};
    if (!S_ISREG(st.st_mode))
        return {Razon("No se puede crear", archivo, S_ISDIR(st.st_mode) ? EISDIR : EEXIST)};
    return {};
}

Resultado Copiar(const fs::path& origen, const fs::path& destino) {
    std::unique_ptr<char[]> datos;
    size_t tam = 0;
    if (std::string error = LeerBytes(origen, datos, tam); !error.empty())
        return {std::move(error)};
    return Reemplazar(destino, std::string_view(datos.get(), tam));
}

} // namespace ArchivoLlamadas

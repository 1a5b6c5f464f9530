// Call-log files: the record line writer, the value scanner that reads them, and safe file updates.
#include "calllog/Llamada.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <limits>
#include <memory>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ArchivoLlamadas {

namespace fs = std::filesystem;

namespace {

// 9999-12-31, the last day a four-digit year can write.
constexpr int64_t UltimoSerial = 2958465;

// ---- Writing ----

void Digitos(std::string& s, unsigned v, int ancho) {
    char buf[8];
    for (int i = ancho - 1; i >= 0; --i) {
        buf[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    s.append(buf, static_cast<size_t>(ancho));
}

void TextoDia(std::string& s, Fechas::Dia d) {
    const std::chrono::year_month_day ymd{d};
    Digitos(s, static_cast<unsigned>(static_cast<int>(ymd.year())), 4);
    s += '-';
    Digitos(s, static_cast<unsigned>(ymd.month()), 2);
    s += '-';
    Digitos(s, static_cast<unsigned>(ymd.day()), 2);
}

void TextoHora(std::string& s, int32_t seg) {
    Digitos(s, static_cast<unsigned>(seg / 3600), 2);
    s += ':';
    Digitos(s, static_cast<unsigned>(seg / 60 % 60), 2);
    s += ':';
    Digitos(s, static_cast<unsigned>(seg % 60), 2);
}

// A date field between '#': its date, its time, or both joined by one space.
void Literal(std::string& s, Fechas::ValorFecha v) {
    s += '#';
    if (v.conDia()) {
        TextoDia(s, v.dia());
        if (v.conHora())
            s += ' ';
    }
    if (v.conHora())
        TextoHora(s, v.segundo());
    s += '#';
}

void AnadirLinea(std::string& s, const Llamada& ll) {
    Literal(s, ll.Fecha);
    s += ',';
    Literal(s, ll.Hora);
    s += ',';
    Literal(s, ll.Duracion);
    s += ',';
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, ll.Segundos);
    s.append(buf, r.ptr);
    s += ',';
    s += ll.Importe.textoArchivo();
    s += ",\"";
    s += ll.Tarifa.vista();
    s += "\"\r\n";
}

// ---- Reading ----

enum class Clase { Simple, Literal, Comillas };

struct Valor {
    Clase clase = Clase::Simple;
    std::string_view texto;
};

struct FalloValor {
    const char* motivo;
};

class Escaner {
public:
    explicit Escaner(std::string_view bytes)
        : inicio_(bytes.data()), p_(bytes.data()), fin_(bytes.data() + bytes.size()) {}

    bool alFinal() const { return p_ == fin_; }
    size_t hechos() const { return static_cast<size_t>(p_ - inicio_); }

    // Reads one value and its delimiter; nullptr on success, else why it failed.
    const char* leer(Valor& v, int64_t& lineaValor) {
        while (p_ != fin_ && (*p_ == ' ' || *p_ == '\t'))
            ++p_;
        if (p_ == fin_) {
            lineaValor = lineaAnterior_;
            return "el archivo termina a mitad de un registro";
        }
        lineaValor = lineaAnterior_ = linea_;
        const char c = *p_;
        if (c == '#' || c == '"') {
            // Values are short: a plain loop beats memchr's set-up here.
            const char* cierre = p_ + 1;
            while (cierre != fin_ && *cierre != c)
                ++cierre;
            if (cierre == fin_)
                return c == '#' ? "fecha sin # de cierre" : "texto sin comillas de cierre";
            v.clase = c == '#' ? Clase::Literal : Clase::Comillas;
            v.texto = std::string_view(p_ + 1, static_cast<size_t>(cierre - p_ - 1));
            if (c == '#' && v.texto.find_first_of("\r\n") != std::string_view::npos)
                return "fecha sin # de cierre";
            for (const char* q = p_ + 1; q != cierre; ++q)
                linea_ += *q == '\n';
            p_ = cierre + 1;
            while (p_ != fin_ && (*p_ == ' ' || *p_ == '\t'))
                ++p_;
        } else {
            const char* q = p_;
            while (q != fin_ && *q != ',' && *q != '\r' && *q != '\n')
                ++q;
            const char* f = q;
            while (f != p_ && (f[-1] == ' ' || f[-1] == '\t'))
                --f;
            v.clase = Clase::Simple;
            v.texto = std::string_view(p_, static_cast<size_t>(f - p_));
            p_ = q;
        }
        return delimitador();
    }

private:
    const char* delimitador() {
        if (p_ == fin_)
            return nullptr;
        switch (*p_) {
        case ',':
            ++p_;
            return nullptr;
        case '\r':
            ++p_;
            if (p_ != fin_ && *p_ == '\n')
                ++p_;
            ++linea_;
            return nullptr;
        case '\n':
            ++p_;
            ++linea_;
            return nullptr;
        default:
            return "texto inesperado tras el valor";
        }
    }

    const char* inicio_;
    const char* p_;
    const char* fin_;
    int64_t linea_ = 1;
    int64_t lineaAnterior_ = 1; // line of the last value read
};

// Reads up to `maxDigitos` digits (at least one) into n.
bool Numero(std::string_view& t, int maxDigitos, int& n) {
    int k = 0;
    n = 0;
    while (k < static_cast<int>(t.size()) && t[k] >= '0' && t[k] <= '9') {
        if (k == maxDigitos)
            return false;
        n = n * 10 + (t[k] - '0');
        ++k;
    }
    t.remove_prefix(static_cast<size_t>(k));
    return k > 0;
}

bool Separador(std::string_view& t, char c) {
    if (t.empty() || t.front() != c)
        return false;
    t.remove_prefix(1);
    return true;
}

// "yyyy-mm-dd", "hh:mm:ss" or both separated by spaces.
const char* LeerLiteral(std::string_view t, Fechas::ValorFecha& f) {
    const char* invalida = "fecha u hora no válida";
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    const size_t espacio = t.find(' ');
    std::string_view primero = t.substr(0, espacio);
    std::optional<Fechas::Dia> dia;
    if (primero.find('-') != std::string_view::npos) {
        int a = 0, m = 0, d = 0;
        if (!Numero(primero, 4, a) || !Separador(primero, '-') || !Numero(primero, 2, m) ||
            !Separador(primero, '-') || !Numero(primero, 2, d) || !primero.empty())
            return invalida;
        dia = Fechas::crearDia(a, m, d);
        if (!dia || a < 1)
            return invalida;
        if (espacio == std::string_view::npos) {
            f = *dia;
            return nullptr;
        }
        t.remove_prefix(espacio);
        while (!t.empty() && t.front() == ' ')
            t.remove_prefix(1);
    }
    int h = 0, mi = 0, s = 0;
    if (!Numero(t, 2, h) || !Separador(t, ':') || !Numero(t, 2, mi) || !Separador(t, ':') ||
        !Numero(t, 2, s) || !t.empty() || h > 23 || mi > 59 || s > 59)
        return invalida;
    const int32_t segundo = Fechas::SegundosDelDia(h, mi, s);
    f = dia ? Fechas::ValorFecha::DiaYHora(*dia, segundo) : Fechas::ValorFecha::SoloHora(segundo);
    return nullptr;
}

const char* Convertir(int campo, const Valor& v, Llamada& ll) {
    if (campo <= 3) {
        if (v.clase != Clase::Literal)
            return "se esperaba una fecha u hora entre #";
        return LeerLiteral(v.texto, campo == 1 ? ll.Fecha : campo == 2 ? ll.Hora : ll.Duracion);
    }
    if (campo == 6) {
        if (v.clase == Clase::Literal)
            return "se esperaba un texto";
        ll.Tarifa = v.texto;
        return nullptr;
    }
    if (v.clase == Clase::Literal)
        return "se esperaba un número";
    if (campo == 4) {
        std::string_view t = v.texto;
        if (!t.empty() && t.front() == '+')
            t.remove_prefix(1);
        int64_t n = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), n);
        if (t.empty() || r.ptr != t.data() + t.size())
            return "segundos no es un número entero";
        if (r.ec != std::errc() || n < std::numeric_limits<int32_t>::min() ||
            n > std::numeric_limits<int32_t>::max())
            return "segundos fuera del rango de 32 bits";
        ll.Segundos = static_cast<int32_t>(n);
        return nullptr;
    }
    const auto m = Moneda::desdeTexto(v.texto);
    if (!m)
        return "importe no válido";
    ll.Importe = *m;
    return nullptr;
}

// ---- Files ----

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

fs::path Destino(const fs::path& archivo) {
    std::error_code ec;
    if (fs::is_symlink(archivo, ec)) {
        const fs::path real = fs::weakly_canonical(archivo, ec);
        if (!ec)
            return real;
    }
    return archivo;
}

// Replaces `archivo` by `contenido` through a temporary file in the same folder, so that a
// failure at any point leaves the old file as it was.
Resultado Reemplazar(const fs::path& archivo, std::string_view contenido) {
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
        std::string nombre = ".";
        nombre += destino.filename().string();
        nombre += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(contador++);
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
    if (!EscribirTodo(fd, contenido.data(), contenido.size()))
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

std::string LineaRegistro(const Llamada& llamada) {
    std::string s;
    s.reserve(64 + llamada.Tarifa.size());
    AnadirLinea(s, llamada);
    return s;
}

std::string ProblemaRegistro(const Llamada& ll) {
    for (const Fechas::ValorFecha v : {ll.Fecha, ll.Hora, ll.Duracion})
        if (v.conDia() && (Fechas::Anio(v.dia()) < 1 || Fechas::aSerial(v.dia()) > UltimoSerial))
            return "fecha fuera del intervalo de años 1 a 9999";
    if (ll.Tarifa.vista().find_first_of("\"\r\n") != std::string_view::npos)
        return "la tarifa no puede contener comillas dobles ni saltos de línea";
    return {};
}

std::string TextoError(const ErrorLectura& e) {
    static constexpr const char* Campos[] = {"Fecha",    "Hora",    "Duración",
                                             "Segundos", "Importe", "Tarifa"};
    if (e.campo < 1 || e.campo > 6)
        return e.motivo;
    return "Línea " + std::to_string(e.linea) + ", campo " + std::to_string(e.campo) + " (" +
           Campos[e.campo - 1] + "): " + e.motivo;
}

Lectura LeerTexto(std::string_view bytes, const Avance& avance) {
    Lectura r;
    // A guess from the usual line length, bounded so a large file of another kind costs little.
    r.llamadas.reserve(std::min<size_t>(bytes.size() / 56 + 1, 2'000'000));
    Escaner e(bytes);
    Valor v;
    bool soloAscii = true;
    while (!e.alFinal()) {
        if (avance && r.llamadas.size() % 65536 == 65535 && !avance(e.hechos(), bytes.size())) {
            r.ok = false;
            r.error.motivo = "lectura cancelada";
            return r;
        }
        Llamada& ll = r.llamadas.emplace_back();
        for (int campo = 1; campo <= 6; ++campo) {
            int64_t linea = 0;
            const char* motivo = e.leer(v, linea);
            if (!motivo)
                motivo = Convertir(campo, v, ll);
            if (motivo) {
                r.llamadas.pop_back();
                r.ok = false;
                r.error = {static_cast<int64_t>(r.llamadas.size()), campo, linea, motivo};
                return r;
            }
        }
        for (char c : v.texto)
            soloAscii &= static_cast<unsigned char>(c) < 0x80;
        if (!soloAscii && r.textoUtf8)
            r.textoUtf8 = Codificacion::EsUtf8(v.texto);
    }
    return r;
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

std::string TextoArchivo(const std::vector<Llamada>& llamadas) {
    std::string s;
    size_t estimado = 0;
    for (const Llamada& ll : llamadas)
        estimado += 64 + ll.Tarifa.size();
    s.reserve(estimado);
    for (const Llamada& ll : llamadas)
        AnadirLinea(s, ll);
    return s;
}

Resultado Anadir(const fs::path& archivo, const Llamada& llamada) {
    if (std::string p = ProblemaRegistro(llamada); !p.empty())
        return {"No se puede guardar la llamada en «" + archivo.string() + "»: " + p};
    std::string linea = LineaRegistro(llamada);
    const int fd = ::open(archivo.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
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
    return Reemplazar(archivo, TextoArchivo(llamadas));
}

Resultado Vaciar(const fs::path& archivo) {
    return Reemplazar(archivo, {});
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

// Call-log files: the record line writer, the value scanner that reads them, and safe file updates.
#include "calllog/ArchivoLlamadas.h"

#include "calllog/BloqueoLlamadas.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <future>
#include <iterator>
#include <limits>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ArchivoLlamadas {

namespace fs = std::filesystem;

namespace {

// 0001-01-01 and 9999-12-31, the days a four-digit year can write.
constexpr int32_t PrimerSerial =
    Fechas::aSerial(std::chrono::sys_days{std::chrono::year{1} / 1 / 1});
constexpr int32_t UltimoSerial = 2958465;

// ---- Writing ----

// The most a record line takes besides its Tarifa: three literals of 21, seconds, amount,
// separators, quotes and line end.
constexpr size_t LineaMaxima = 3 * 21 + 11 + 24 + 10;

char* Digitos(char* p, unsigned v, int ancho) {
    for (int i = ancho - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    return p + ancho;
}

// Writes record lines at a pointer, remembering the last date's text: consecutive calls mostly
// share their day.
class Escritor {
public:
    explicit Escritor(char* p) : p_(p) {}
    char* fin() const { return p_; }
    void reiniciar(char* p) { p_ = p; }

    void linea(const Llamada& ll) {
        literal(ll.Fecha);
        *p_++ = ',';
        literal(ll.Hora);
        *p_++ = ',';
        literal(ll.Duracion);
        *p_++ = ',';
        p_ = std::to_chars(p_, p_ + 11, ll.Segundos).ptr;
        *p_++ = ',';
        p_ = ll.Importe.escribirArchivo(p_);
        *p_++ = ',';
        *p_++ = '"';
        const std::string_view t = ll.Tarifa.vista();
        std::memcpy(p_, t.data(), t.size());
        p_ += t.size();
        std::memcpy(p_, "\"\r\n", 3);
        p_ += 3;
    }

private:
    // A date field between '#': its date, its time, or both joined by one space.
    void literal(Fechas::ValorFecha v) {
        *p_++ = '#';
        if (v.conDia()) {
            dia(v.dia());
            if (v.conHora())
                *p_++ = ' ';
        }
        if (v.conHora()) {
            const auto seg = static_cast<unsigned>(v.segundo());
            p_ = Digitos(p_, seg / 3600, 2);
            *p_++ = ':';
            p_ = Digitos(p_, seg / 60 % 60, 2);
            *p_++ = ':';
            p_ = Digitos(p_, seg % 60, 2);
        }
        *p_++ = '#';
    }

    void dia(Fechas::Dia d) {
        if (d != ultimo_) {
            const std::chrono::year_month_day ymd{d};
            char* q = Digitos(textoUltimo_, static_cast<unsigned>(static_cast<int>(ymd.year())), 4);
            *q++ = '-';
            q = Digitos(q, static_cast<unsigned>(ymd.month()), 2);
            *q++ = '-';
            Digitos(q, static_cast<unsigned>(ymd.day()), 2);
            ultimo_ = d;
        }
        std::memcpy(p_, textoUltimo_, 10);
        p_ += 10;
    }

    char* p_;
    Fechas::Dia ultimo_ = Fechas::Dia::max();
    char textoUltimo_[10] = {};
};

// The lines of these records in one buffer, sized for the longest lines they could give.
struct Texto {
    std::unique_ptr<char[]> datos;
    size_t tam = 0;
    std::string_view vista() const { return {datos.get(), tam}; }
};

Texto Lineas(const std::vector<Llamada>& llamadas) {
    size_t maximo = 0;
    for (const Llamada& ll : llamadas)
        maximo += LineaMaxima + ll.Tarifa.size();
    Texto t;
    t.datos.reset(new char[maximo + 1]); // left uninitialized: only the written part is touched
    Escritor e(t.datos.get());
    for (const Llamada& ll : llamadas)
        e.linea(ll);
    t.tam = static_cast<size_t>(e.fin() - t.datos.get());
    return t;
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
        if (c == '#') {
            // Values are short: a plain loop beats memchr's set-up here. A literal ends on its
            // line.
            const char* cierre = p_ + 1;
            while (cierre != fin_ && *cierre != '#' && *cierre != '\r' && *cierre != '\n')
                ++cierre;
            if (cierre == fin_ || *cierre != '#')
                return "fecha sin # de cierre";
            v.clase = Clase::Literal;
            v.texto = std::string_view(p_ + 1, static_cast<size_t>(cierre - p_ - 1));
            p_ = cierre + 1;
            while (p_ != fin_ && (*p_ == ' ' || *p_ == '\t'))
                ++p_;
        } else if (c == '"') {
            const char* cierre = p_ + 1;
            int64_t saltos = 0;
            while (cierre != fin_ && *cierre != '"')
                saltos += *cierre++ == '\n';
            if (cierre == fin_)
                return "texto sin comillas de cierre";
            v.clase = Clase::Comillas;
            v.texto = std::string_view(p_ + 1, static_cast<size_t>(cierre - p_ - 1));
            linea_ += saltos;
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

// `n` digits at p, or -1.
int Digitos(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        const unsigned d = static_cast<unsigned char>(p[i]) - unsigned('0');
        if (d > 9)
            return -1;
        v = v * 10 + static_cast<int>(d);
    }
    return v;
}

// The last date text read and its day: consecutive calls mostly share their day.
struct UltimoDia {
    char texto[10] = {};
    Fechas::Dia dia = Fechas::Epoca;
};

// The forms the writer gives ("yyyy-mm-dd", "hh:mm:ss", both with one space) read directly;
// false sends any other text to the general rule.
bool LiteralEscrito(std::string_view t, Fechas::ValorFecha& f, UltimoDia& ultimo) {
    const char* p = t.data();
    std::optional<Fechas::Dia> dia;
    if (t.size() == 10 || t.size() == 19) {
        if (p[4] != '-' || p[7] != '-' || (t.size() == 19 && p[10] != ' '))
            return false;
        if (std::memcmp(p, ultimo.texto, 10) == 0) {
            dia = ultimo.dia;
        } else {
            const int a = Digitos(p, 4), m = Digitos(p + 5, 2), d = Digitos(p + 8, 2);
            if (a < 1 || m < 0 || d < 0 || !(dia = Fechas::crearDia(a, m, d)))
                return false;
            std::memcpy(ultimo.texto, p, 10);
            ultimo.dia = *dia;
        }
        if (t.size() == 10) {
            f = *dia;
            return true;
        }
        p += 11;
    } else if (t.size() != 8) {
        return false;
    }
    if (p[2] != ':' || p[5] != ':')
        return false;
    const int h = Digitos(p, 2), mi = Digitos(p + 3, 2), s = Digitos(p + 6, 2);
    if (h < 0 || mi < 0 || s < 0 || h > 23 || mi > 59 || s > 59)
        return false;
    const int32_t segundo = Fechas::SegundosDelDia(h, mi, s);
    f = dia ? Fechas::ValorFecha::DiaYHora(*dia, segundo) : Fechas::ValorFecha::SoloHora(segundo);
    return true;
}

// "yyyy-mm-dd", "hh:mm:ss" or both separated by spaces.
const char* LeerLiteral(std::string_view t, Fechas::ValorFecha& f, UltimoDia& ultimo) {
    if (LiteralEscrito(t, f, ultimo))
        return nullptr;
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

// The last call types read: calls that share one share its bytes.
struct UltimasTarifas {
    TextoTarifa tarifas[4];
    int siguiente = 0;

    TextoTarifa buscar(std::string_view t) {
        for (const TextoTarifa& x : tarifas)
            if (x.vista() == t)
                return x;
        TextoTarifa& nueva = tarifas[siguiente++ % 4];
        nueva = TextoTarifa(t);
        return nueva;
    }
};

const char* Convertir(int campo, const Valor& v, Llamada& ll, UltimoDia& ultimo,
                      UltimasTarifas& tarifas) {
    if (campo <= 3) {
        if (v.clase != Clase::Literal)
            return "se esperaba una fecha u hora entre #";
        return LeerLiteral(v.texto,
                           campo == 1   ? ll.Fecha
                           : campo == 2 ? ll.Hora
                                        : ll.Duracion,
                           ultimo);
    }
    if (campo == 6) {
        if (v.clase == Clase::Literal)
            return "se esperaba un texto";
        if (v.texto.size() > TextoTarifa::Maximo)
            return "tarifa demasiado larga";
        ll.Tarifa = tarifas.buscar(v.texto);
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

Resultado Reemplazar(const fs::path& archivo, std::string_view contenido) {
    return Reemplazar(archivo, [contenido](int fd) {
        return EscribirTodo(fd, contenido.data(), contenido.size());
    });
}

// The record lines written to the file a block at a time, so the text is never whole in memory.
bool EscribirLineas(int fd, const std::vector<Llamada>& llamadas) {
    constexpr size_t Bloque = 1 << 20;
    std::vector<char> buffer(Bloque + LineaMaxima);
    Escritor e(buffer.data());
    for (const Llamada& ll : llamadas) {
        const size_t hecho = static_cast<size_t>(e.fin() - buffer.data());
        if (hecho + LineaMaxima + ll.Tarifa.size() > buffer.size()) {
            if (!EscribirTodo(fd, buffer.data(), hecho))
                return false;
            if (LineaMaxima + ll.Tarifa.size() > buffer.size())
                buffer.resize(LineaMaxima + ll.Tarifa.size());
            e.reiniciar(buffer.data());
        }
        e.linea(ll);
    }
    return EscribirTodo(fd, buffer.data(), static_cast<size_t>(e.fin() - buffer.data()));
}

} // namespace

std::string LineaRegistro(const Llamada& llamada) {
    std::string linea(LineaMaxima + llamada.Tarifa.size(), '\0');
    Escritor e(linea.data());
    e.linea(llamada);
    linea.resize(static_cast<size_t>(e.fin() - linea.data()));
    return linea;
}

std::string ProblemaRegistro(const Llamada& ll) {
    for (const Fechas::ValorFecha v : {ll.Fecha, ll.Hora, ll.Duracion}) {
        const int32_t serial = Fechas::aSerial(v.dia());
        if (v.conDia() && (serial < PrimerSerial || serial > UltimoSerial))
            return "fecha fuera del intervalo de años 1 a 9999";
    }
    for (const char c : ll.Tarifa.vista())
        if (c == '"' || c == '\r' || c == '\n')
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

namespace {

// One pass over the bytes, record after record. One record per line in the files this program
// writes: the list gets room for `partes` times as many as there are line ends, so that the
// first half of a file also holds the second without moving.
Lectura LeerSeguido(std::string_view bytes, const Avance& avance, size_t partes = 1) {
    Lectura r;
    r.llamadas.reserve((static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1) *
                       partes);
    Escaner e(bytes);
    Valor v;
    bool soloAscii = true;
    UltimoDia ultimo;
    UltimasTarifas tarifas;
    while (!e.alFinal()) {
        if (avance && r.llamadas.size() % 65536 == 65535 && !avance(e.hechos(), bytes.size())) {
            r.ok = false;
            r.cancelada = true;
            r.error.motivo = "lectura cancelada";
            r.llamadas = {};
            return r;
        }
        Llamada& ll = r.llamadas.emplace_back();
        for (int campo = 1; campo <= 6; ++campo) {
            int64_t linea = 0;
            const char* motivo = e.leer(v, linea);
            if (!motivo)
                motivo = Convertir(campo, v, ll, ultimo, tarifas);
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

} // namespace

Lectura LeerTexto(std::string_view bytes, const Avance& avance) {
    // A large file is read in two halves at once, split after a line end. The halves stand for
    // the whole only when the first ends with a whole record and both read cleanly; otherwise
    // (records across lines, an error whose place must be told) the whole is read in one pass.
    constexpr size_t EnDosMitades = size_t{1} << 20;
    if (bytes.size() < EnDosMitades || std::thread::hardware_concurrency() < 2)
        return LeerSeguido(bytes, avance);
    const size_t salto = bytes.find('\n', bytes.size() / 2);
    if (salto == std::string_view::npos || salto + 1 == bytes.size())
        return LeerSeguido(bytes, avance);
    auto segunda =
        std::async(std::launch::async, LeerSeguido, bytes.substr(salto + 1), Avance(), 1);
    Lectura r = LeerSeguido(bytes.substr(0, salto + 1), avance, 2);
    Lectura resto = segunda.get();
    if (r.cancelada)
        return r;
    if (!r.ok || !resto.ok)
        return LeerSeguido(bytes, avance);
    r.llamadas.reserve(r.llamadas.size() + resto.llamadas.size());
    std::move(resto.llamadas.begin(), resto.llamadas.end(), std::back_inserter(r.llamadas));
    r.textoUtf8 = r.textoUtf8 && resto.textoUtf8;
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
    return std::string(Lineas(llamadas).vista());
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
    return Reemplazar(archivo, [&llamadas](int fd) { return EscribirLineas(fd, llamadas); });
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

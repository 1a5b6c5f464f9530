// Helpers the commands share: console messages, amount texts, plans and call logs.
#include "cli/Orden.h"

#include "cli/LineaComandos.h"

#include "core/Formato.h"
#include "platform/PlanesUsuario.h"
#include "platform/Rutas.h"

#include <QFile>
#include <QJsonDocument>
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace LineaComandos {

int Consola::MalUso(const QString& mensaje) {
    err << "vatrimox: " << mensaje << " (vea vatrimox --help)\n";
    return LineaComandos::MalUso;
}
int Consola::Fallo(const QString& mensaje) {
    err << "vatrimox: " << mensaje << "\n";
    return LineaComandos::Fallo;
}
void Consola::Json(const QJsonObject& objeto) {
    out << QJsonDocument(objeto).toJson();
}
void Consola::Json(const QJsonArray& lista) {
    out << QJsonDocument(lista).toJson();
}

int Consola::Terminar(int salida) {
    out.flush();
    const QByteArray bytes = texto.toUtf8();
    qsizetype hecho = 0;
    while (hecho < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + hecho,
                                  static_cast<size_t>(bytes.size() - hecho));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EPIPE)
            return LineaComandos::Fallo;
        if (n < 0)
            return Fallo(QString::fromUtf8("no se puede escribir la salida: %1")
                             .arg(QString::fromStdString(
                                 std::error_code(errno, std::generic_category()).message())));
        hecho += n;
    }
    return salida;
}

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

// An amount in the file form with its four decimals: "45.2300".
QString Importe4(Moneda importe) {
    const int64_t v = importe.diezmilesimas();
    const uint64_t a = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    return QString("%1%2.%3")
        .arg(v < 0 ? "-" : "")
        .arg(a / Moneda::Escala)
        .arg(a % Moneda::Escala, 4, 10, QChar('0'));
}

QJsonValue ImporteJson(Moneda importe, bool fuera) {
    return fuera ? QJsonValue(QJsonValue::Null) : QJsonValue(Importe4(importe));
}

QString DosDecimales(double valor) {
    return Q(General::FormatoFijo(valor, '.'));
}

std::optional<int64_t> Natural(const QString& texto, int64_t maximo) {
    if (texto.isEmpty() || texto.size() > 18)
        return std::nullopt;
    int64_t valor = 0;
    for (const QChar c : texto) {
        if (c < '0' || c > '9')
            return std::nullopt;
        valor = valor * 10 + (c.unicode() - '0');
    }
    if (valor > maximo)
        return std::nullopt;
    return valor;
}

// The call-log window's message for a file it cannot load, with where and why.
QString TextoDanado(const QString& ruta, const ArchivoLlamadas::ErrorLectura& e) {
    QString texto = QString::fromUtf8("No es un archivo de llamadas o está dañado: ");
    if (e.campo == 0)
        return texto + Q(e.motivo);
    return texto + QString::fromUtf8("«%1», línea %2, campo %3: %4")
                       .arg(ruta)
                       .arg(e.linea)
                       .arg(e.campo)
                       .arg(Q(e.motivo));
}

// A stored setting of 0..255, or its first-run default when it does not convert.
uint8_t Byte(const SettingsStore& ajustes, const General::Ajuste& ajuste) {
    return static_cast<uint8_t>(
        General::NumeroAjuste(ajustes, ajuste).value_or(General::NumeroPorDefecto(ajuste)));
}

// The built-in tariff and the user's plan files; refused files are named on standard error and
// the others still used.
Tarifas::Catalogo CargarPlanes(Orden& o) {
    Tarifas::Catalogo catalogo = PlanesUsuario::Cargar();
    for (const std::string& error : catalogo.errores)
        o.consola.err << "vatrimox: " << Q(error) << "\n";
    return catalogo;
}

namespace {

// Every byte of a file, or of standard input for "-", read to its end: regular files, pipes
// and devices alike. An error text, as the call-log files give it, when it cannot be read.
QString LeerBytes(const QString& ruta, std::string& bytes) {
    const std::filesystem::path camino = Rutas::Ruta(ruta);
    const auto razon = [&](const char* que, int err) {
        return QString::fromUtf8("%1 «%2»: %3")
            .arg(QString::fromUtf8(que), ruta,
                 Q(std::error_code(err, std::generic_category()).message()));
    };
    const int fd = ruta == "-" ? STDIN_FILENO : ::open(camino.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return razon("No se puede abrir", errno);
    char bloque[65536];
    int err = 0;
    for (;;) {
        const ssize_t n = ::read(fd, bloque, sizeof bloque);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : 0;
            break;
        }
        bytes.append(bloque, static_cast<size_t>(n));
    }
    if (fd != STDIN_FILENO)
        ::close(fd);
    return err ? razon("No se puede leer", err) : QString();
}

} // namespace

bool CargarRegistro(Orden& o, QString& ruta, std::vector<Llamada>& llamadas, int& salida) {
    if (o.argumentos.size() > 1) {
        salida = o.consola.MalUso(
            QString::fromUtf8("sobran argumentos: «%1»").arg(o.argumentos.mid(1).join(' ')));
        return false;
    }
    ruta = o.argumentos.isEmpty() ? Rutas::CarpetaDatos() + "/" + ArchivoLlamadas::NombreActual
                                  : o.argumentos[0];
    std::string bytes;
    const QString error = LeerBytes(ruta, bytes);
    if (!error.isEmpty()) {
        ArchivoLlamadas::ErrorLectura e;
        e.motivo = error.toStdString();
        salida = o.consola.Fallo(TextoDanado(ruta, e));
        return false;
    }
    auto lectura = ArchivoLlamadas::LeerTexto(bytes);
    if (!lectura.ok) {
        salida = o.consola.Fallo(TextoDanado(ruta, lectura.error));
        return false;
    }
    llamadas = std::move(lectura.llamadas);
    return true;
}

} // namespace LineaComandos

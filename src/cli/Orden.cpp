// Helpers the commands share: console messages, amount texts, plans and call logs.
#include "cli/Orden.h"

#include "cli/LineaComandos.h"

#include "platform/Rutas.h"
#include "tariffs/LectorPlanes.h"

#include <QFile>
#include <QJsonDocument>

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

std::filesystem::path Ruta(const QString& archivo) {
    return std::filesystem::path(QFile::encodeName(archivo).toStdString());
}

// A stored setting of 0..255, or its first-run default when it does not convert.
uint8_t Byte(const SettingsStore& ajustes, const General::Ajuste& ajuste) {
    return General::ComoByte(General::Leer(ajustes, ajuste))
        .value_or(General::ComoByte(ajuste.defecto).value_or(0));
}

// The built-in tariff and the user's plan files; refused files are named on standard error and
// the others still used.
Tarifas::Catalogo CargarPlanes(Orden& o) {
    Tarifas::Catalogo catalogo = Tarifas::CargarCatalogo(Ruta(Rutas::CarpetaPlanes()));
    for (const std::string& error : catalogo.errores)
        o.consola.err << "vatrimox: " << Q(error) << "\n";
    return catalogo;
}

// Reads the call log named on the command line, or the current one; false after reporting why.
bool CargarRegistro(Orden& o, QString& ruta, std::vector<Llamada>& llamadas, int& salida) {
    if (o.argumentos.size() > 1) {
        salida = o.consola.MalUso(
            QString::fromUtf8("sobran argumentos: «%1»").arg(o.argumentos.mid(1).join(' ')));
        return false;
    }
    ruta = o.argumentos.isEmpty() ? Rutas::CarpetaDatos() + "/" + ArchivoLlamadas::NombreActual
                                  : o.argumentos[0];
    auto lectura = ArchivoLlamadas::Leer(Ruta(ruta));
    if (!lectura.ok) {
        salida = o.consola.Fallo(TextoDanado(ruta, lectura.error));
        return false;
    }
    llamadas = std::move(lectura.llamadas);
    return true;
}

} // namespace LineaComandos

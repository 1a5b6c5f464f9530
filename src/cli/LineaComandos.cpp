// The command line: help, version and the precio, informe and comparar commands over a
// QCoreApplication, with plain or JSON output.
#include "cli/LineaComandos.h"

#include "Version.h"

#include "calllog/ArchivoLlamadas.h"
#include "calllog/Totales.h"
#include "core/Formato.h"
#include "meter/Medidor.h"
#include "platform/Clock.h"
#include "platform/FormatoLocal.h"
#include "platform/IniSettingsStore.h"
#include "platform/Rutas.h"
#include "settings/Ajustes.h"
#include "stats/Estimaciones.h"
#include "stats/TotalesFranja.h"
#include "tariffs/LectorPlanes.h"
#include "tariffs/Tarifas.h"
#include "tariffs/TextosComparacion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTime>
#include <QTranslator>
#include <algorithm>
#include <array>
#include <cstdio>

namespace LineaComandos {

namespace {

// Options Qt itself reads from the command line of a window program.
const QStringList OpcionesQt =
    QStringLiteral("platform platformpluginpath platformtheme plugin qmljsdebugger qwindowgeometry "
                   "geometry qwindowicon icon qwindowtitle title reverse session display name "
                   "nograb dograb sync style stylesheet widgetcount testability")
        .split(' ');

bool PideVentanas(int argc, char* argv[]) {
    if (argc < 2)
        return true;
    QString primero = QString::fromLocal8Bit(argv[1]);
    if (!primero.startsWith('-') || primero == "-")
        return false;
    primero.remove(0, primero.startsWith("--") ? 2 : 1);
    return OpcionesQt.contains(primero.section('=', 0, 0));
}

// A call is priced up to a year long; longer numbers are refused as bad arguments.
constexpr int64_t MaximoSegundos = int64_t{366} * Fechas::SegundosPorDia;

constexpr const char* Ayuda =
    "Mide lo que cuestan las llamadas a Internet por módem y las registra.\n"
    "Sin argumentos abre la ventana del programa.\n"
    "\n"
    "Órdenes:\n"
    "  precio TIPO \"AAAA-MM-DD HH:MM:SS\" SEGUNDOS [--iva PORCENTAJE] [--negociacion N] "
    "[--json]\n"
    "      Importe de una llamada de tipo TIPO (Metropolitana, Provincial o Interprovincial)\n"
    "      que empieza en esa fecha y hora local y dura SEGUNDOS segundos, con N segundos de\n"
    "      negociación antes. Sin --iva ni --negociacion se usan los ajustes guardados.\n"
    "  informe [ARCHIVO] [--json]\n"
    "      Datos de hoy, totales por franja y estimado hasta el final del periodo de\n"
    "      facturación, del registro de llamadas actual o de ARCHIVO.\n"
    "  comparar [ARCHIVO] [--json]\n"
    "      Qué tarifa conviene para las llamadas del registro actual o de ARCHIVO.\n"
    "\n"
    "Estado de salida: 0 si todo va bien, 1 si un archivo falta o está dañado o una fecha no\n"
    "es válida, 2 si los argumentos no son válidos.";

class Consola {
public:
    QTextStream out{stdout};
    QTextStream err{stderr};

    int MalUso(const QString& mensaje) {
        err << "vatrimox: " << mensaje << " (vea vatrimox --help)\n";
        return LineaComandos::MalUso;
    }
    int Fallo(const QString& mensaje) {
        err << "vatrimox: " << mensaje << "\n";
        return LineaComandos::Fallo;
    }
    void Json(const QJsonObject& objeto) { out << QJsonDocument(objeto).toJson(); }
};

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

// Seconds of a duration text "hh:mm:ss".
qint64 SegundosDe(const std::string& duracion) {
    const QStringList partes = Q(duracion).split(':');
    qint64 s = 0;
    for (const QString& parte : partes)
        s = s * 60 + parte.toLongLong();
    return s;
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

std::optional<Fechas::FechaHora> LeerMomento(const QString& texto) {
    const QString limpio = texto.simplified();
    const QDate fecha = QDate::fromString(limpio.section(' ', 0, 0), "yyyy-MM-dd");
    const QTime hora = QTime::fromString(limpio.section(' ', 1), "HH:mm:ss");
    if (!fecha.isValid() || !hora.isValid())
        return std::nullopt;
    const auto dia = Fechas::crearDia(fecha.year(), fecha.month(), fecha.day());
    if (!dia)
        return std::nullopt;
    return Fechas::FechaHora::crear(*dia, hora.hour(), hora.minute(), hora.second());
}

struct Orden {
    QCommandLineParser& parser;
    QStringList argumentos; // positional arguments after the command's name
    bool json = false;
    Consola& consola;
};

// The built-in tariff and the user's plan files; refused files are named on standard error and
// the others still used.
Tarifas::Catalogo CargarPlanes(Orden& o) {
    Tarifas::Catalogo catalogo = Tarifas::CargarCatalogo(Ruta(Rutas::CarpetaPlanes()));
    for (const std::string& error : catalogo.errores)
        o.consola.err << "vatrimox: " << Q(error) << "\n";
    return catalogo;
}

int Precio(Orden& o, const QCommandLineOption& iva, const QCommandLineOption& negociacion) {
    if (o.argumentos.size() != 3)
        return o.consola.MalUso(
            QString::fromUtf8("«precio» necesita TIPO, \"AAAA-MM-DD HH:MM:SS\" y SEGUNDOS"));
    const QString tipo = o.argumentos[0];
    Tarifas::Catalogo catalogo = CargarPlanes(o);
    if (!catalogo.BuscarTipo(tipo.toStdString())) {
        QStringList tipos;
        for (const Tarifas::Plan& plan : catalogo.planes)
            for (const Tarifas::TipoPlan& t : plan.tipos)
                tipos << Q(t.nombre);
        return o.consola.MalUso(
            QString::fromUtf8("tipo de llamada desconocido «%1»; los tipos son: %2")
                .arg(tipo, tipos.join(", ")));
    }
    const auto segundos = General::LeerEntero(o.argumentos[2].toStdString(), 0, MaximoSegundos);
    if (!segundos)
        return o.consola.MalUso(QString::fromUtf8("SEGUNDOS debe ser un número entero de 0 a %1, "
                                                  "no «%2»")
                                    .arg(MaximoSegundos)
                                    .arg(o.argumentos[2]));

    const IniSettingsStore ajustes;
    General::EstadoPrograma estado;
    estado.catalogo = std::move(catalogo);
    estado.TipoLlamada = tipo.toStdString();
    estado.IncluirIVA = Byte(ajustes, General::Ajustes::IVA);
    estado.PorcentajeIVA = Byte(ajustes, General::Ajustes::CuantoIVA);
    estado.SegundosNegociacion = Byte(ajustes, General::Ajustes::Negociacion);
    for (const auto& [opcion, destino] : {std::pair{&iva, &estado.PorcentajeIVA},
                                          std::pair{&negociacion, &estado.SegundosNegociacion}}) {
        if (!o.parser.isSet(*opcion))
            continue;
        const auto valor = General::ComoByte(o.parser.value(*opcion).toStdString());
        if (!valor)
            return o.consola.MalUso(
                QString::fromUtf8("--%1 debe ser un número entero de 0 a 255, no «%2»")
                    .arg(opcion->names().constFirst(), o.parser.value(*opcion)));
        *destino = *valor;
    }
    if (o.parser.isSet(iva))
        estado.IncluirIVA = 1;
    const auto inicio = LeerMomento(o.argumentos[1]);
    if (!inicio)
        return o.consola.Fallo(
            QString::fromUtf8("«%1» no es una fecha y hora válida (AAAA-MM-DD HH:MM:SS).")
                .arg(o.argumentos[1]));

    // The meter's own reading at SEGUNDOS seconds after the call was seen to start.
    const char separador = FormatoLocal::SeparadorDecimal();
    const int32_t segundoInicio = Fechas::SegundosDelDia(*inicio) - estado.SegundosNegociacion;
    const Medidor::Pantalla p = Medidor::Calcular(
        estado, inicio->dia, segundoInicio, *segundos + estado.SegundosNegociacion, separador);
    const int32_t facturados = estado.llamada.SegundosFacturados;
    const Moneda importe = Medidor::ImporteMostrado(p, separador);
    const std::string euros = p.Label1.substr(0, p.Label1.find(' '));

    if (o.json) {
        o.consola.Json({{"importe", Importe4(importe)},
                        {"pesetas", Q(p.Label6)},
                        {"euros", Q(euros)},
                        {"segundos_facturados", facturados},
                        {"duracion", Q(p.Label7)}});
        return Exito;
    }
    o.consola.out << "Segundos facturados: " << facturados << "\n"
                  << "Importe en euros: " << Q(p.Label1) << "\n"
                  << "Importe en pesetas: " << Q(p.Label6) << "\n"
                  << QString::fromUtf8("Duración: ") << Q(p.Label7) << "\n";
    return Exito;
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

QJsonObject JsonTotales(const Registro::Totales& t) {
    return {{"llamadas", static_cast<qint64>(t.llamadas)},
            {"segundos_facturados", static_cast<qint64>(t.SegundosTotal)},
            {"tiempo_conexion", static_cast<qint64>(t.TiempoTotal)},
            {"importe", Importe4(t.ImporteTotal)}};
}

int Informe(Orden& o) {
    QString ruta;
    std::vector<Llamada> llamadas;
    int salida = Exito;
    if (!CargarRegistro(o, ruta, llamadas, salida))
        return salida;
    const Tarifas::Catalogo catalogo = CargarPlanes(o);
    const char separador = FormatoLocal::SeparadorDecimal();
    const Fechas::Dia hoy = SystemClock().now().dia;
    const auto periodo = General::LeerPeriodo(IniSettingsStore());
    const Registro::Totales delDia = Registro::TotalesDelDia(llamadas, hoy);
    std::string motivo = "Las fechas del periodo de facturación no son válidas.";
    const auto estimado =
        periodo ? Estadistica::CalcularEstimado(llamadas, {periodo->inicio, periodo->fin, hoy},
                                                o.json ? '.' : separador, &motivo)
                : std::nullopt;

    if (o.json) {
        QJsonObject raiz{{"archivo", ruta}, {"hoy", JsonTotales(delDia)}};
        if (periodo)
            raiz["periodo"] =
                QJsonObject{{"inicio", FormatoLocal::ADate(periodo->inicio).toString(Qt::ISODate)},
                            {"final", FormatoLocal::ADate(periodo->fin).toString(Qt::ISODate)}};
        QJsonObject totales = JsonTotales(Registro::CalcularTotales(llamadas));
        const Estadistica::SumasFranja franjas = Estadistica::SumarPorFranja(llamadas, catalogo);
        totales["punta"] = Importe4(franjas.punta);
        totales["normal"] = Importe4(franjas.normal);
        totales["reducida"] = Importe4(franjas.reducida);
        raiz["totales"] = totales;
        if (estimado) {
            const auto numero = [](const std::string& t) { return Q(t).toDouble(); };
            raiz["estimado"] =
                QJsonObject{{"llamadas_dia", numero(estimado->llamadasDia)},
                            {"llamadas_estimadas", numero(estimado->llamadasEstimadas)},
                            {"tiempo_estimado", SegundosDe(estimado->tiempoEstimado)},
                            {"importe_llamada", Q(estimado->importeLlamada)},
                            {"importe_diario", Q(estimado->importeDiario)},
                            {"importe_semanal", Q(estimado->importeSemanal)},
                            {"importe_mensual", Q(estimado->importeMensual)},
                            {"importe_estimado", Q(estimado->importeEstimado)}};
        } else {
            raiz["estimado"] = QJsonValue::Null;
            raiz["motivo"] = Q(motivo);
        }
        o.consola.Json(raiz);
        return Exito;
    }
    QTextStream& out = o.consola.out;
    out << "Archivo: " << ruta << "\n";
    if (periodo)
        out << "Periodo: " << FormatoLocal::Fecha(periodo->inicio) << " - "
            << FormatoLocal::Fecha(periodo->fin) << "\n";
    out << QString::fromUtf8("\nCálculo día de hoy\n")
        << Q(delDia.desborde ? Registro::TextoDesborde(separador)
                             : Registro::TextoDatosHoy(delDia, separador))
        << "\n"
        << QString::fromUtf8("\nCálculo total\n")
        << Q(Estadistica::TextoTotales(llamadas, catalogo, separador)
                 .value_or(Registro::TextoDesborde(separador)))
        << "\n"
        << QString::fromUtf8("\nEstadística de las llamadas\n")
        << Q(estimado ? Estadistica::TextoEstimado(*estimado) : motivo) << "\n";
    return Exito;
}

// "¿Qué tarifa me conviene?" for the loaded calls, under the stored IVA settings; refused plan
// files are named on standard error and the others still compared.
int CompararTarifas(Orden& o, const std::vector<Llamada>& llamadas) {
    const Tarifas::Catalogo catalogo = CargarPlanes(o);
    const IniSettingsStore ajustes;
    const auto filas = Tarifas::Comparar(llamadas, catalogo, Byte(ajustes, General::Ajustes::IVA),
                                         Byte(ajustes, General::Ajustes::CuantoIVA));
    if (o.json) {
        QJsonArray lista;
        for (const Tarifas::FilaComparacion& f : filas)
            lista.append(QJsonObject{{"tipo", Q(f.tipo)},
                                     {"plan", Q(f.plan)},
                                     {"pesetas", Importe4(f.pesetas)},
                                     {"euros", Q(General::FormatoFijo(f.euros, '.'))},
                                     {"diferencia", Importe4(f.diferencia)}});
        o.consola.out << QJsonDocument(lista).toJson();
        return Exito;
    }
    // Columns as wide as their longest text; names to the left, amounts to the right.
    std::vector<std::array<QString, 5>> tabla(1);
    for (size_t c = 0; c < tabla[0].size(); ++c)
        tabla[0][c] = QString::fromUtf8(Tarifas::CabecerasComparacion[c]);
    for (const Tarifas::FilaComparacion& f : filas) {
        const auto textos = Tarifas::TextosFila(f, FormatoLocal::SeparadorDecimal());
        tabla.emplace_back();
        for (size_t c = 0; c < textos.size(); ++c)
            tabla.back()[c] = Q(textos[c]);
    }
    std::array<qsizetype, 5> ancho{};
    for (const auto& fila : tabla)
        for (size_t c = 0; c < fila.size(); ++c)
            ancho[c] = std::max(ancho[c], fila[c].size());
    for (const auto& fila : tabla) {
        QString linea;
        for (size_t c = 0; c < fila.size(); ++c)
            linea += (c ? "  " : "") +
                     (c < 2 ? fila[c].leftJustified(ancho[c]) : fila[c].rightJustified(ancho[c]));
        o.consola.out << linea.trimmed() << "\n";
    }
    return Exito;
}

int Comparar(Orden& o) {
    QString ruta;
    std::vector<Llamada> llamadas;
    int salida = Exito;
    if (!CargarRegistro(o, ruta, llamadas, salida))
        return salida;
    return CompararTarifas(o, llamadas);
}

} // namespace

std::optional<int> Ejecutar(int argc, char* argv[]) {
    if (PideVentanas(argc, argv))
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("VatriMox");
    QCoreApplication::setApplicationVersion(General::VersionTexto);
    // Qt's own texts of the help ("Uso:", "Opciones:") in Spanish where the translation exists.
    QTranslator qtEspanol;
    if (qtEspanol.load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtEspanol);

    Consola consola;
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Ayuda));
    const QCommandLineOption ayuda({"h", "help"}, QString::fromUtf8("Muestra esta ayuda."));
    const QCommandLineOption version({"v", "version"},
                                     QString::fromUtf8("Muestra la versión del programa."));
    const QCommandLineOption json("json", QString::fromUtf8("Da el resultado en JSON."));
    const QCommandLineOption iva("iva", QString::fromUtf8("precio: suma el IVA a este porcentaje."),
                                 "PORCENTAJE");
    const QCommandLineOption negociacion(
        "negociacion", QString::fromUtf8("precio: segundos de negociación antes de la llamada."),
        "N");
    parser.addOptions({ayuda, version, json, iva, negociacion});
    parser.addPositionalArgument("orden", QString::fromUtf8("precio, informe o comparar."),
                                 "orden [argumentos]");
    if (!parser.parse(QCoreApplication::arguments())) {
        if (!parser.unknownOptionNames().isEmpty())
            return consola.MalUso(QString::fromUtf8("opción desconocida «%1»")
                                      .arg(parser.unknownOptionNames().first()));
        return consola.MalUso(parser.errorText());
    }
    if (parser.isSet(ayuda)) {
        consola.out << parser.helpText();
        return Exito;
    }
    if (parser.isSet(version)) {
        consola.out << "VatriMox " << General::VersionTexto << "\n";
        return Exito;
    }
    QStringList argumentos = parser.positionalArguments();
    if (argumentos.isEmpty())
        return consola.MalUso(QString::fromUtf8("falta la orden: precio, informe o comparar"));
    const QString nombre = argumentos.takeFirst();
    Orden orden{parser, argumentos, parser.isSet(json), consola};
    if (nombre == "precio")
        return Precio(orden, iva, negociacion);
    if (nombre != "informe" && nombre != "comparar")
        return consola.MalUso(QString::fromUtf8("orden desconocida «%1»").arg(nombre));
    for (const QCommandLineOption* o : {&iva, &negociacion})
        if (parser.isSet(*o))
            return consola.MalUso(
                QString::fromUtf8("--%1 solo vale para «precio»").arg(o->names().first()));
    return nombre == "informe" ? Informe(orden) : Comparar(orden);
}

} // namespace LineaComandos

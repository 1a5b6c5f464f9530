// The command line: help, version and the precio, informe and comparar commands over a
// QCoreApplication, with plain or JSON output.
#include "cli/LineaComandos.h"

#include "Version.h"
#include "cli/Orden.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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

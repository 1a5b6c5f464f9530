// The command line: help, version and the precio, informe and comparar commands over a
// QCoreApplication, with plain or JSON output.
#include "cli/LineaComandos.h"

#include "Version.h"
#include "cli/Orden.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

namespace LineaComandos {

namespace {

// Options Qt itself reads from the command line of a window program, and those of them that take
// a value ("-platform offscreen", "--style=fusion").
const QStringList OpcionesQt =
    QStringLiteral("platform platformpluginpath platformtheme plugin qmljsdebugger qwindowgeometry "
                   "geometry qwindowicon icon qwindowtitle title reverse session display name "
                   "nograb dograb sync style stylesheet widgetcount testability")
        .split(' ');
const QStringList OpcionesQtConValor =
    QStringLiteral("platform platformpluginpath platformtheme plugin qwindowgeometry geometry "
                   "qwindowicon icon qwindowtitle title session display name style stylesheet")
        .split(' ');
// Our options that take a value.
const QStringList OpcionesConValor{"--iva", "--negociacion"};

// "-5" and "-" are values, not options.
bool EsOpcion(const QString& a) {
    return a.size() > 1 && a[0] == '-' && !a[1].isDigit();
}

// The arguments of a command, with Qt's own options taken out wherever they stand; nullopt when
// nothing else is left, which asks for the windows. Options go first, then "--" and the
// positional arguments, so that a value such as "-5" reaches its command as it was written.
std::optional<QStringList> ArgumentosOrden(int argc, char* argv[]) {
    QStringList opciones{QString::fromLocal8Bit(argv[0])}, posicionales{"--"};
    bool soloValores = false;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (soloValores || !EsOpcion(a)) {
            posicionales << a;
            continue;
        }
        if (a == "--") {
            soloValores = true;
            continue;
        }
        const QString nombre = a.mid(a.startsWith("--") ? 2 : 1).section('=', 0, 0);
        const bool conValor = !a.contains('=') && i + 1 < argc;
        if (OpcionesQt.contains(nombre)) {
            i += conValor && OpcionesQtConValor.contains(nombre) ? 1 : 0;
            continue;
        }
        opciones << a;
        if (conValor && OpcionesConValor.contains(a))
            opciones << QString::fromLocal8Bit(argv[++i]);
    }
    if (opciones.size() == 1 && posicionales.size() == 1)
        return std::nullopt;
    return opciones + posicionales;
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
    "      Una hora que no existe (la que se salta al adelantar el reloj) no vale; una que se\n"
    "      repite al atrasarlo se toma la primera vez.\n"
    "      JSON: importe, pesetas, euros, segundos_facturados, duracion.\n"
    "  informe [ARCHIVO] [--json]\n"
    "      Datos de hoy, totales por franja y estimado hasta el final del periodo de\n"
    "      facturación, del registro de llamadas actual o de ARCHIVO.\n"
    "      JSON: archivo; periodo (inicio, final); hoy y totales (llamadas,\n"
    "      segundos_facturados, tiempo_conexion, importe; totales también punta, normal,\n"
    "      reducida); estimado (llamadas_dia, llamadas_estimadas, tiempo_estimado,\n"
    "      importe_llamada, importe_diario, importe_semanal, importe_mensual,\n"
    "      importe_estimado), o estimado null y motivo.\n"
    "  comparar [ARCHIVO] [--json]\n"
    "      Qué tarifa conviene para las llamadas del registro actual o de ARCHIVO.\n"
    "      JSON: una lista de tipo, plan, pesetas, euros, diferencia.\n"
    "\n"
    "ARCHIVO puede ser cualquier archivo que se pueda leer, también una tubería; «-» es la\n"
    "entrada estándar y /dev/null un registro vacío.\n"
    "En JSON las cifras no dependen del idioma: los importes en pesetas son cadenas con punto\n"
    "y cuatro decimales (\"21.9500\"), los de euros con dos (\"0.13\"); las cuentas y los\n"
    "segundos son números. Un importe cuya suma se sale del rango es null, y la clave\n"
    "desborde vale true.\n"
    "\n"
    "Entorno:\n"
    "  VATRIMOX_HOME  carpeta que sustituye a la personal para ajustes, registros y planes.\n"
    "  TZ             zona horaria de las fechas y horas locales (hoy, precio).\n"
    "  LC_ALL         idioma del texto: el separador decimal de las cifras; no cambia el JSON.\n"
    "\n"
    "Estado de salida: 0 si todo va bien; 1 si un archivo falta o está dañado, una fecha no\n"
    "es válida o no se puede escribir la salida; 2 si los argumentos no son válidos.";

struct Opciones {
    QCommandLineOption ayuda{{"h", "help"}, QString::fromUtf8("Muestra esta ayuda.")};
    QCommandLineOption version{{"v", "version"},
                               QString::fromUtf8("Muestra la versión del programa.")};
    QCommandLineOption json{"json", QString::fromUtf8("Da el resultado en JSON.")};
    QCommandLineOption iva{"iva", QString::fromUtf8("precio: suma el IVA a este porcentaje."),
                           "PORCENTAJE"};
    QCommandLineOption negociacion{
        "negociacion", QString::fromUtf8("precio: segundos de negociación antes de la llamada."),
        "N"};
};

// Parses the arguments and runs what they ask; the exit status.
int Ordenar(const QStringList& argumentosOrden, Consola& consola) {
    const Opciones op;
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Ayuda));
    parser.addOptions({op.ayuda, op.version, op.json, op.iva, op.negociacion});
    parser.addPositionalArgument("orden", QString::fromUtf8("precio, informe o comparar."),
                                 "orden [argumentos]");
    if (!parser.parse(argumentosOrden)) {
        if (!parser.unknownOptionNames().isEmpty())
            return consola.MalUso(QString::fromUtf8("opción desconocida «%1»")
                                      .arg(parser.unknownOptionNames().first()));
        return consola.MalUso(parser.errorText());
    }
    if (parser.isSet(op.ayuda)) {
        consola.out << parser.helpText();
        return Exito;
    }
    if (parser.isSet(op.version)) {
        consola.out << "VatriMox " << General::VersionTexto << "\n";
        return Exito;
    }
    QStringList argumentos = parser.positionalArguments();
    if (argumentos.isEmpty())
        return consola.MalUso(QString::fromUtf8("falta la orden: precio, informe o comparar"));
    const QString nombre = argumentos.takeFirst();
    Orden orden{parser, argumentos, parser.isSet(op.json), consola};
    if (nombre == "precio")
        return Precio(orden, op.iva, op.negociacion);
    if (nombre != "informe" && nombre != "comparar")
        return consola.MalUso(QString::fromUtf8("orden desconocida «%1»").arg(nombre));
    for (const QCommandLineOption* o : {&op.iva, &op.negociacion})
        if (parser.isSet(*o))
            return consola.MalUso(
                QString::fromUtf8("--%1 solo vale para «precio»").arg(o->names().first()));
    return nombre == "informe" ? Informe(orden) : Comparar(orden);
}

} // namespace

std::optional<int> Ejecutar(int argc, char* argv[]) {
    const auto argumentos = ArgumentosOrden(argc, argv);
    if (!argumentos)
        return std::nullopt;
    // A reader that closes the pipe early makes write() fail with EPIPE instead of killing us.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("VatriMox");
    QCoreApplication::setApplicationVersion(General::VersionTexto);
    // Qt's own texts of the help ("Uso:", "Opciones:") in Spanish where the translation exists.
    QTranslator qtEspanol;
    if (qtEspanol.load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtEspanol);
    Consola consola;
    return consola.Terminar(Ordenar(*argumentos, consola));
}

} // namespace LineaComandos

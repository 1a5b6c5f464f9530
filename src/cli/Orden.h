// What the commands of the command line share: the console, the parsed arguments, the texts of
// amounts and damaged logs, and the loading of plans and call logs.
#pragma once

#include "calllog/ArchivoLlamadas.h"
#include "core/Moneda.h"
#include "settings/Ajustes.h"
#include "tariffs/Planes.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace LineaComandos {

// Standard output is gathered in `out` and written whole by Terminar, which checks the write.
class Consola {
public:
    QString texto;
    QTextStream out{&texto};
    QTextStream err{stderr};

    int MalUso(const QString& mensaje);
    int Fallo(const QString& mensaje);
    void Json(const QJsonObject& objeto);
    void Json(const QJsonArray& lista);
    // Writes standard output and returns `salida`, or Fallo when the write fails: with a
    // message, except on a closed pipe (the reader has all it wanted).
    int Terminar(int salida);
};

struct Orden {
    QCommandLineParser& parser;
    QStringList argumentos; // positional arguments after the command's name
    bool json = false;
    Consola& consola;
};

QString Q(const std::string& texto);

// An amount in the file form with its four decimals, "45.2300": the JSON form of pesetas.
QString Importe4(Moneda importe);
// Importe4, or null for an amount whose sum went past the range of a Moneda.
QJsonValue ImporteJson(Moneda importe, bool fuera);
// A figure rounded to the cent, as the windows show it, in the JSON form: "0.13".
QString DosDecimales(double valor);

// The call-log window's message for a file it cannot load, with where and why.
QString TextoDanado(const QString& ruta, const ArchivoLlamadas::ErrorLectura& e);

std::filesystem::path Ruta(const QString& archivo);

// A stored setting of 0..255, or its first-run default when it does not convert.
uint8_t Byte(const SettingsStore& ajustes, const General::Ajuste& ajuste);

// The built-in tariff and the user's plan files; refused files are named on standard error and
// the others still used.
Tarifas::Catalogo CargarPlanes(Orden& o);

// Reads the call log named on the command line ("-": standard input; any file that can be
// read, pipes included), or the current one; false after reporting why.
bool CargarRegistro(Orden& o, QString& ruta, std::vector<Llamada>& llamadas, int& salida);

// The commands.
int Precio(Orden& o, const QCommandLineOption& iva, const QCommandLineOption& negociacion);
// A whole number of digits only (no sign, no spaces) from 0 to maximo.
std::optional<int64_t> Natural(const QString& texto, int64_t maximo);
int Informe(Orden& o);
int Comparar(Orden& o);

} // namespace LineaComandos

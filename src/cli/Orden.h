// What the commands of the command line share: the console, the parsed arguments, the texts of
// amounts and damaged logs, and the loading of plans and call logs.
#pragma once

#include "calllog/ArchivoLlamadas.h"
#include "core/Moneda.h"
#include "settings/Ajustes.h"
#include "tariffs/Planes.h"

#include <QCommandLineParser>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <filesystem>
#include <string>
#include <vector>

namespace LineaComandos {

class Consola {
public:
    QTextStream out{stdout};
    QTextStream err{stderr};

    int MalUso(const QString& mensaje);
    int Fallo(const QString& mensaje);
    void Json(const QJsonObject& objeto);
};

struct Orden {
    QCommandLineParser& parser;
    QStringList argumentos; // positional arguments after the command's name
    bool json = false;
    Consola& consola;
};

QString Q(const std::string& texto);

// An amount in the file form with its four decimals: "45.2300".
QString Importe4(Moneda importe);

// The call-log window's message for a file it cannot load, with where and why.
QString TextoDanado(const QString& ruta, const ArchivoLlamadas::ErrorLectura& e);

std::filesystem::path Ruta(const QString& archivo);

// A stored setting of 0..255, or its first-run default when it does not convert.
uint8_t Byte(const SettingsStore& ajustes, const General::Ajuste& ajuste);

// The built-in tariff and the user's plan files; refused files are named on standard error and
// the others still used.
Tarifas::Catalogo CargarPlanes(Orden& o);

// Reads the call log named on the command line, or the current one; false after reporting why.
bool CargarRegistro(Orden& o, QString& ruta, std::vector<Llamada>& llamadas, int& salida);

// The commands.
int Precio(Orden& o, const QCommandLineOption& iva, const QCommandLineOption& negociacion);
int Informe(Orden& o);
int Comparar(Orden& o);

} // namespace LineaComandos

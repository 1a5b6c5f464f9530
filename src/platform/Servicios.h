// Servicios: the adapters a window works through, built once in main() and passed by reference.
#pragma once

#include <QString>
#include <QStringList>

class Clock;
class SettingsStore;
class Prompts;
class SoundPlayer;
class ConnectionProbe;
class Autostart;

struct Servicios {
    Clock& reloj;
    SettingsStore& ajustes;
    Prompts& avisos;
    SoundPlayer& sonido;
    ConnectionProbe& conexion;
    Autostart& autoinicio;
    QString carpetaDatos; // folder of llamadas.ldx and antiguas.ldx
    // Where the journal goes, in order, when the data folder cannot take it.
    QStringList carpetasReserva = {};
    // Where calls go at the end of the session when no folder above takes them.
    QStringList carpetasUltimoRecurso = {};
};

// Fakes of the platform adapters for headless tests: clock, settings, sound, probe, autostart.
#pragma once

#include "core/SettingsStore.h"
#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/ConnectionProbe.h"
#include "platform/Servicios.h"
#include "platform/SoundPlayer.h"
#include "support/ScriptedPrompts.h"
#include "ui/common/VentanaPrincipal.h"

#include <QtTest>
#include <atomic>
#include <functional>
#include <map>

class FakeClock : public Clock {
public:
    Fechas::FechaHora t;
    std::chrono::milliseconds monotono{0}; // poner() leaves it as it is
    Fechas::FechaHora now() const override { return t; }
    std::chrono::milliseconds monotonic() const override { return monotono; }
    void poner(int anio, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0) {
        t = Fechas::FechaHora::crear(*Fechas::crearDia(anio, mes, dia), hora, minuto, segundo);
    }
    void avanzar(int64_t s) { t = t.mas(s), monotono += std::chrono::seconds(s); } // both move
    void saltar(int64_t s) { t = t.mas(s); } // the wall clock alone: user, NTP, summer time
};

// Settings in memory, names compared without regard to case like the real store.
class MemorySettingsStore : public SettingsStore {
public:
    std::string read(const std::string& aplicacion, const std::string& seccion,
                     const std::string& clave) const override;
    bool write(const std::string& aplicacion, const std::string& seccion, const std::string& clave,
               const std::string& valor) override;
    std::map<std::string, std::string> valores; // "app/section/key" folded -> value
    QStringList escrituras;                     // "Section/Key=value" in write order
    bool fallarEscrituras = false;
    bool sinGuardar = false; // writes are kept in memory but reported failed
};

class FakeSound : public SoundPlayer {
public:
    QStringList reproducidos;
    void play(const QString& archivo) override { reproducidos << archivo; }
};

// Read from a watcher's thread as well as the test's.
class FakeProbe : public ConnectionProbe {
public:
    std::atomic<bool> conectado = false;
    std::string conexion;
    std::optional<std::chrono::milliseconds> fin; // when the link was seen to go
    bool connected() override { return conectado; }
    std::string nombre() override { return conexion; }
    std::optional<std::chrono::milliseconds> caida() override { return fin; }
};

class FakeAutostart : public Autostart {
public:
    bool activo = false;
    bool fallar = false;
    bool isEnabled() const override { return activo; }
    bool setEnabled(bool a, QString* error) override {
        if (fallar && error)
            *error = "no se puede escribir";
        return fallar ? false : (activo = a, true);
    }
};

// The main window as a dialog sees it: records each switch of automatic detection and runs
// `alDibujar` on each redraw of the period bar.
struct VentanaFalsa : VentanaPrincipal {
    void AutodeteccionActiva(bool activa) override { autodeteccion << activa; }
    void DibujarProgreso() override {
        if (alDibujar)
            alDibujar();
    }
    bool LlamadaEnCurso() const override { return false; }
    QList<bool> autodeteccion;
    std::function<void()> alDibujar;
};

// Every fake adapter and the Servicios bound to them; window tests derive from it.
struct ServiciosFalsos {
    FakeClock reloj;
    MemorySettingsStore ajustes;
    ScriptedPrompts avisos;
    FakeSound sonido;
    FakeProbe conexion;
    FakeAutostart autoinicio;
    Servicios servicios{reloj, ajustes, avisos, sonido, conexion, autoinicio, {}};

    void Reiniciar() { ajustes = {}, avisos = {}, sonido = {}, autoinicio = {}; } // between tests
    // Every prompt had its answer and no answer was left over.
    void Comprobar() {
        QVERIFY2(avisos.errores.isEmpty(), qPrintable(avisos.errores.join('\n')));
        QCOMPARE(avisos.pendientes(), 0);
    }
};

// Form1's openers of the other windows, each noting that window's name.
inline Ventanas Anotadas(QStringList& abiertas) {
    const auto abre = [&](const char* n) { return [&abiertas, n](QWidget*) { abiertas << n; }; };
    return {abre("opciones"), abre("llamadas"), abre("periodo"), abre("tarifas")};
}

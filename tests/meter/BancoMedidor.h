// Meter and start-up tests share a data folder in memory, first-run settings and a clock.
#pragma once

#include "meter/Arranque.h"
#include "support/Archivos.h"
#include "support/FakeServices.h"
#include "support/Tablas.h"

namespace fs = std::filesystem;

inline const QByteArray LineaEnero =
    "#1999-01-20#,#10:00:00#,#00:01:00#,60,12.5,\"Metropolitana\"\r\n";
inline const General::PeriodoFacturacion Enero{D(1999, 1, 1), D(1999, 1, 31)};

class BancoMedidor : public QObject {
protected:
    QTemporaryDir dir_{EnMemoria()}; // the journal is synced every tick
    fs::path carpeta_;
    MemorySettingsStore ajustes_;
    FakeClock reloj_;
    General::EstadoPrograma estado_;

    void Poner(const General::Ajuste& a, const char* v) { General::Escribir(ajustes_, a, v); }
    void Periodo(const char* inicio, const char* fin) {
        Poner(General::Ajustes::FechaInicio, inicio);
        Poner(General::Ajustes::FechaFinal, fin);
    }
    std::string Periodo() { // as stored: "inicio-fin"
        return General::Leer(ajustes_, General::Ajustes::FechaInicio) + "-" +
               General::Leer(ajustes_, General::Ajustes::FechaFinal);
    }
    fs::path Log() const { return carpeta_ / ArchivoLlamadas::NombreActual; }
    fs::path Anterior() const { return carpeta_ / ArchivoLlamadas::NombreAnterior; }
    fs::path EnCurso() const { return Diario::Ruta(carpeta_); } // the journal
    static auto Leidas(const fs::path& p) { return ArchivoLlamadas::Leer(p).llamadas; }
    Arranque::Resultado Arrancar(Fechas::Dia hoy, const std::vector<fs::path>& reservas = {}) {
        return Arranque::Preparar(ajustes_, hoy, carpeta_, estado_, ',', reservas);
    }
    Medidor Iniciado() {
        Medidor m(ajustes_, estado_, carpeta_, ',');
        m.Iniciar(reloj_.t, reloj_.monotono);
        return m;
    }
    auto Tick(Medidor& m, int s) { return reloj_.avanzar(s), m.Tick(reloj_.monotono); }

    void Preparar() { // one folder per test row
        const char* fila = QTest::currentDataTag();
        carpeta_ =
            fs::path(dir_.path().toStdString()) / QTest::currentTestFunction() / (fila ? fila : "");
        fs::create_directories(carpeta_);
        ajustes_ = MemorySettingsStore();
        reloj_.poner(1999, 3, 15, 10, 0, 0); // a Monday
        QVERIFY(General::ValoresPorDefecto(ajustes_, reloj_.t.dia, carpeta_));
        estado_ = {};
        QVERIFY(General::CargarEstado(ajustes_, estado_));
    }
};

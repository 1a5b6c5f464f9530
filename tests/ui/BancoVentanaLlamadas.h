// Shared by the call-log window tests: Form6 over the fakes in a folder of its own; March calls.
#pragma once

#include "calllog/ArchivoLlamadas.h"
#include "support/Archivos.h"
#include "support/FakeServices.h"
#include "ui/calllog/ModeloLlamadas.h"
#include "ui/calllog/VentanaLlamadas.h"

#include <QAction>
#include <QTableView>
#include <QToolBar>

inline Llamada Crear(int dia, int hora, int64_t duracion, int32_t segundos, const char* importe,
                     const char* tarifa = "Metropolitana") {
    return {*Fechas::crearDia(1999, 3, dia), hora * 3600, duracion, segundos,
            *Moneda::desdeTexto(importe),    tarifa};
}

inline std::vector<Llamada> Varias(int n) {
    std::vector<Llamada> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(Crear(1 + i % 28, i % 24, 60 + i, 60 + i, "11.4"));
    return v;
}

inline void Escribir(const QString& ruta, const std::vector<Llamada>& llamadas) {
    QVERIFY(ArchivoLlamadas::Escribir(ruta.toStdString(), llamadas));
}

class BancoVentanaLlamadas : public QObject, protected ServiciosFalsos {
protected:
    std::unique_ptr<QTemporaryDir> dir;
    General::EstadoPrograma estado;

    QString Actual() const { return dir->path() + "/llamadas.ldx"; }
    QString Otro(const QString& nombre) const { return dir->path() + "/" + nombre; }
    std::unique_ptr<Form6> Abrir() { return std::make_unique<Form6>(servicios, estado); }
    std::unique_ptr<Form6> Abrir(const std::vector<Llamada>& llamadas) {
        Escribir(Actual(), llamadas);
        return Abrir();
    }
    void Seleccionar(Form6& v, int f, int c) { v.Flex->setCurrentIndex(v.Modelo->index(f - 1, c)); }
    void Editar(Form6& v, int f, int c, const QString& r) {
        Seleccionar(v, f, c);
        avisos.responder(r);
        v.ModificarCelda();
    }
    static QString Fila(const Form6& v, int fila) { // a row's cells (from 1) joined by '|'

        QStringList r;
        for (int c = 0; c < 7; ++c)
            r << v.Modelo->index(fila - 1, c).data().toString();
        return r.join('|');
    }
    void UltimoEsError() { QCOMPARE(avisos.ultimo().icono, Prompts::Icono::Critico); }

    void Preparar() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        dir = std::make_unique<QTemporaryDir>();
        Reiniciar();
        servicios.carpetaDatos = dir->path();
        estado.TipoLlamada = "Metropolitana";
        reloj.poner(1999, 3, 15, 12);
        Escribir(Actual(), Varias(0));
    }
};

// Form6 driven headless: loading, toolbar, file commands, edits, deletes, font, today's summary,
// the comparison of tariffs.
#include "calllog/ArchivoLlamadas.h"
#include "platform/Rutas.h"
#include "platform/Servicios.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "ui/calllog/ComandosEstadistica.h"
#include "ui/calllog/ModeloLlamadas.h"
#include "ui/calllog/VentanaLlamadas.h"
#include "ui/tariffs/ComparacionDialog.h"

#include <QAction>
#include <QBrush>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace {

const QString Danado = QString::fromUtf8("No es un archivo de llamadas o está dañado");

Llamada Crear(int dia, int hora, int64_t duracion, int32_t segundos, const char* importe,
              const char* tarifa = "Metropolitana") {
    return Llamada{*Fechas::crearDia(1999, 3, dia), hora * 3600, duracion, segundos,
                   *Moneda::desdeTexto(importe),    tarifa};
}

std::vector<Llamada> Varias(int n) {
    std::vector<Llamada> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(Crear(1 + i % 28, i % 24, 60 + i, 60 + i, "11.4"));
    return v;
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<falta>");
}

void Poner(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void Escribir(const QString& ruta, const std::vector<Llamada>& llamadas) {
    QVERIFY(ArchivoLlamadas::Escribir(ruta.toStdString(), llamadas));
}

// Runs `f` while this process may write no file beyond 100 bytes, as on a full disk.
template <class F> void ConDiscoLleno(F&& f) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    rlimit lleno = antes;
    lleno.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &lleno);
    f();
    setrlimit(RLIMIT_FSIZE, &antes);
}

} // namespace

class TestVentanaLlamadas : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    FakeClock reloj;
    MemorySettingsStore ajustes;
    std::unique_ptr<ScriptedPrompts> avisos;
    FakeSound sonido;
    FakeProbe conexion;
    FakeAutostart autoinicio;
    std::unique_ptr<Servicios> servicios;
    General::EstadoPrograma estado;

    QString Actual() const { return dir->path() + "/llamadas.ldx"; }
    QString Otro(const QString& nombre) const { return dir->path() + "/" + nombre; }
    std::unique_ptr<Form6> Abrir() { return std::make_unique<Form6>(*servicios, estado); }
    std::unique_ptr<Form6> Abrir(const std::vector<Llamada>& llamadas) {
        Escribir(Actual(), llamadas);
        return Abrir();
    }
    void Seleccionar(Form6& v, int fila, int columna) {
        v.Flex->setCurrentIndex(v.Modelo->index(fila - 1, columna));
    }
    void Editar(Form6& v, int fila, int columna, const QString& respuesta) {
        Seleccionar(v, fila, columna);
        avisos->responder(respuesta);
        v.ModificarCelda();
    }
    // The cell texts of a row (counted from 1) joined by '|'.
    static QString Fila(const Form6& v, int fila) {
        QStringList r;
        for (int c = 0; c < 7; ++c)
            r << v.Modelo->index(fila - 1, c).data().toString();
        return r.join('|');
    }
    void UltimoEsError() { QCOMPARE(avisos->ultimo().icono, Prompts::Icono::Critico); }

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        dir = std::make_unique<QTemporaryDir>();
        avisos = std::make_unique<ScriptedPrompts>();
        ajustes = MemorySettingsStore();
        servicios = std::make_unique<Servicios>(
            Servicios{reloj, ajustes, *avisos, sonido, conexion, autoinicio, dir->path()});
        estado.TipoLlamada = "Metropolitana";
        reloj.poner(1999, 3, 15, 12);
        Escribir(Actual(), {});
    }
    void cleanup() {
        QVERIFY2(avisos->errores.isEmpty(), qPrintable(avisos->errores.join('\n')));
        QCOMPARE(avisos->pendientes(), 0);
    }

    void abreElArchivoDelPeriodoConSusCeldas() {
        ajustes.write("VatriMox", "Opciones", "FontSize", "11");
        auto v = Abrir({Llamada{*Fechas::crearDia(1999, 3, 15), 66303, 312, 312,
                                *Moneda::desdeTexto("45.23"), "Metropolitana"},
                        Crear(16, 0, 0, 0, "0", "Provincial")});
        QCOMPARE(v->Flex->font().pointSize(), 11);
        QCOMPARE(Fila(*v, 1), QString("1|15/3/99|18:25:03|0:05:12|312|45,23|Metropolitana"));
        QCOMPARE(Fila(*v, 2), QString("2|16/3/99|0:00:00|0:00:00|0|0|Provincial"));
        // After window load the current cell is in the header row.
        QCOMPARE(v->FilaActual(), 0);
        QCOMPARE(v->ColumnaActual(), 6);
        QVERIFY(avisos->mostrados.isEmpty());
    }

    // Reported on opening the window and on opening another file; the file is left as it was.
    void archivoDanado() {
        const QByteArray basura =
            "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"Metropolitana\"\r\nbasura\r\n";
        Poner(Actual(), basura);
        auto v = Abrir();
        QCOMPARE(avisos->mostrados.size(), 1);
        QCOMPARE(avisos->ultimo().texto, Danado);
        QCOMPARE(
            avisos->ultimo().detalle,
            QString::fromUtf8("Línea 2, campo 1 (Fecha): se esperaba una fecha u hora entre #"));
        UltimoEsError();
        QCOMPARE(v->N(), 0);
        QCOMPARE(Leer(Actual()), basura);

        const QByteArray truncado = "#1999-03-15#,#18:25:03#,#00:05:12#,312\r\n";
        Poner(Otro("malo.ldx"), truncado);
        v = Abrir(Varias(4));
        avisos->responder(Otro("malo.ldx"));
        v->AbrirArchivo();
        QCOMPARE(avisos->ultimo().texto, Danado);
        QCOMPARE(avisos->ultimo().detalle,
                 QString::fromUtf8("Línea 1, campo 5 (Importe): el archivo termina a mitad de un "
                                   "registro"));
        UltimoEsError();
        QCOMPARE(v->ArchivoActual, Otro("malo.ldx"));
        QCOMPARE(v->N(), 0);
        QCOMPARE(Leer(Otro("malo.ldx")), truncado);
    }

    void barraConSusVeintePosiciones() {
        auto v = Abrir();
        int separadores = 0;
        for (int p = 1; p <= Form6::Botones; ++p)
            separadores += v->Boton(p)->isSeparator();
        QCOMPARE(separadores, 6);
        QCOMPARE(v->Boton(3)->toolTip(), QString("Guardar"));
        QVERIFY(v->Boton(12)->isCheckable());
        QCOMPARE(v->Boton(20)->toolTip(), QString("Inicio"));
        QVERIFY(!v->Boton(0) && !v->Boton(21));
        for (int p : {0, 4, 7, 10, 13, 17, 19, 21})
            v->Barra_ButtonClick(p);
        QVERIFY(avisos->mostrados.isEmpty());
    }

    void botonesDeGraficos() {
        auto v = Abrir();
        v->resize(800, 600);
        v->show();
        QVERIFY(QTest::qWaitForWindowExposed(v.get()));
        const int completo = v->height() - v->Barra->height();
        v->Boton(12)->trigger();
        QVERIFY(!v->Grafico2->isHidden() && !v->Grafico3->isHidden());
        v->Boton(11)->trigger();
        QVERIFY(!v->Boton(12)->isChecked());
        QVERIFY(v->Grafico2->isHidden() && v->Grafico3->isHidden() && !v->Grafico->isHidden());
        QCOMPARE(v->Flex->height(), completo / 2);
        v->Boton(11)->trigger();
        QVERIFY(v->Grafico->isHidden());
        QCOMPARE(v->Flex->height(), completo);
    }

    void nuevoArchivo() {
        auto v = Abrir(Varias(3));
        avisos->responder(false);
        v->Boton(1)->trigger();
        QVERIFY(!avisos->ultimo().siPorDefecto);
        QCOMPARE(v->N(), 3);
        // Yes while another file is shown empties that file only.
        Escribir(Otro("otro.ldx"), Varias(2));
        avisos->responder(Otro("otro.ldx"));
        v->AbrirArchivo();
        avisos->responder(true);
        v->NuevoArchivo();
        QCOMPARE(Leer(Otro("otro.ldx")), QByteArray());
        QCOMPARE(v->N(), 0);
        QCOMPARE(ArchivoLlamadas::Leer(Actual().toStdString()).llamadas, Varias(3));
        // Saving right after "Nuevo" writes no call of the earlier, longer file.
        avisos->responder(Otro("guardado.ldx"));
        v->GuardarComo();
        QCOMPARE(Leer(Otro("guardado.ldx")), QByteArray());
    }

    void guardarComoYAbrir() {
        Escribir(Otro("tres.ldx"), Varias(3));
        Escribir(Otro("vacio.ldx"), {});
        auto v = Abrir(Varias(10));
        // A saved copy, .ldx or .csv, has the same bytes; the window keeps its own file.
        avisos->responder(Otro("copia.ldx"));
        v->Boton(3)->trigger();
        avisos->responder(Otro("copia.csv"));
        v->GuardarComo();
        QCOMPARE(Leer(Otro("copia.csv")), Leer(Actual()));
        QCOMPARE(Leer(Otro("copia.ldx")), Leer(Actual()));
        // Opening another file replaces the list.
        avisos->responder(Otro("tres.ldx"));
        v->Boton(2)->trigger();
        QCOMPARE(v->ListaLlamadas(), Varias(3));
        QCOMPARE(v->FilaActual(), 3);
        // "Inicio" goes back to the current-period file.
        v->Boton(20)->trigger();
        QCOMPARE(v->ArchivoActual, Actual());
        QCOMPARE(v->N(), 10);
        QCOMPARE(v->FilaActual(), 0);
    }

    void modificarCelda() {
        auto v = Abrir(Varias(3));
        Seleccionar(*v, 3, 4);
        avisos->responder(QString("12,5"));
        v->Boton(8)->trigger();
        QCOMPARE(avisos->ultimo().titulo, QString("Valor a modificar:   \"63\"   Celda:   3 - 5"));
        QCOMPARE(Leer(Actual()).split('\n').value(2),
                 QByteArray("#1999-03-04#,#03:00:00#,#00:01:03#,12,11.4,\"Metropolitana\"\r"));
        // A double click edits the clicked cell.
        Seleccionar(*v, 1, 6);
        avisos->responder(QString("Interprovincial"));
        emit v->Flex->doubleClicked(v->Flex->currentIndex());
        QCOMPARE(v->ListaLlamadas()[0].Tarifa, std::string("Interprovincial"));
    }

    // Literals with both parts and a Windows-1252 call type are shown whole and written back as
    // read; an edited call type keeps the file's encoding or is refused.
    void literalesYTarifasComoSeLeyeron() {
        const QByteArray linea1 = "#1999-03-15 10:20:30#,#1999-03-16 "
                                  "08:00:00#,#1899-12-30#,60,5,\"Interprov\xEDncial\"\r\n";
        const QByteArray linea2 = "#10:20:30#,#1999-03-16#,#00:01:00#,60,5,\"Provincial\"\r\n";
        Poner(Actual(), linea1 + linea2);
        auto v = Abrir();
        QCOMPARE(
            Fila(*v, 1),
            QString::fromUtf8("1|15/3/99 10:20:30|16/3/99 8:00:00|0:00:00|60|5|Interprovíncial"));
        QCOMPARE(Fila(*v, 2), QString("2|10:20:30|16/3/99|0:01:00|60|5|Provincial"));
        Editar(*v, 1, 4, "61");
        QByteArray esperado = linea1;
        esperado.replace(",60,", ",61,");
        QCOMPARE(Leer(Actual()), esperado + linea2);
        Editar(*v, 2, 6, QString::fromUtf8("Provinciál"));
        esperado += QByteArray(linea2).replace("Provincial", "Provinci\xE1l");
        QCOMPARE(Leer(Actual()), esperado);
        Editar(*v, 2, 6, QString::fromUtf8("Ōsaka"));
        UltimoEsError();
        QVERIFY(avisos->ultimo().texto.contains(QString::fromUtf8("«Ō»")));
        QCOMPARE(Leer(Actual()), esperado);
    }

    // Refused with a message naming the column; file, list and cell stay as they were.
    void modificarCeldaRechazada_data() {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("respuesta");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("texto en fecha") << 1 << "mañana" << QString("Fecha");
        QTest::newRow("tarifa con comillas") << 6 << "a\"b" << QString("Tarifa");
    }
    void modificarCeldaRechazada() {
        QFETCH(int, columna);
        QFETCH(QString, respuesta);
        QFETCH(QString, nombre);
        auto v = Abrir(Varias(3));
        const QByteArray antes = Leer(Actual());
        const QString celda = v->Modelo->TextoCelda(1, columna);
        Editar(*v, 2, columna, respuesta);
        UltimoEsError();
        QVERIFY(avisos->ultimo().texto.contains(nombre));
        QCOMPARE(Leer(Actual()), antes);
        QCOMPARE(v->ListaLlamadas(), Varias(3));
        QCOMPARE(v->Modelo->TextoCelda(1, columna), celda);
    }

    // The edit box offers a date that reads back as the same day: four digits where the
    // two-digit year would read back in another century. Taken unchanged, the offered text
    // keeps the value, also a date or time that carries both parts.
    void fechaPorDefecto_data() {
        QTest::addColumn<int>("anio");
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("texto");
        QTest::newRow("1925") << 1925 << 1 << "15/3/1925";
        QTest::newRow("1999") << 1999 << 1 << "15/3/99";
        QTest::newRow("2029") << 2029 << 1 << "15/3/29";
        QTest::newRow("2035") << 2035 << 1 << "15/3/2035";
        QTest::newRow("fecha con hora") << 1999 << -1 << "15/3/99 0:00:15";
        QTest::newRow("hora con fecha") << 1999 << -2 << "15/3/99 0:00:15";
    }
    void fechaPorDefecto() {
        QFETCH(int, anio);
        QFETCH(int, columna);
        QFETCH(QString, texto);
        Llamada l = Crear(15, 0, 0, 0, "0");
        const auto dia = *Fechas::crearDia(anio, 3, 15);
        l.Fecha = columna == -1 ? Fechas::ValorFecha::DiaYHora(dia, 15) : Fechas::ValorFecha(dia);
        if (columna == -2)
            l.Hora = Fechas::ValorFecha::DiaYHora(dia, 15);
        columna = std::abs(columna);
        auto v = Abrir({l});
        Editar(*v, 1, columna, QString()); // cancelled
        QCOMPARE(avisos->ultimo().filtro, texto);
        const QByteArray antes = Leer(Actual());
        Editar(*v, 1, columna, texto);
        QCOMPARE(avisos->ultimo().tipo, QString("input"));
        QCOMPARE(Leer(Actual()), antes);
    }

    // Amounts whose sum does not fit, typed or read from a file: refused with a message.
    void importesQueNoSuman() {
        const QString desborde =
            QString::fromUtf8("La suma de los importes supera 922337203685477,5807 pts");
        auto v = Abrir(Varias(3));
        const QByteArray antes = Leer(Actual());
        Editar(*v, 1, 5, "922337203685477");
        UltimoEsError();
        QVERIFY(avisos->ultimo().texto.contains(desborde));
        QCOMPARE(Leer(Actual()), antes);
        v = Abrir({Crear(15, 10, 60, 60, "922337203685477"), Crear(15, 11, 60, 60, "11.4")});
        for (int boton : {5, 14, 15, 16}) { // listing, today, totals, estimates
            v->Boton(boton)->trigger();
            QVERIFY2(avisos->ultimo().texto.startsWith(desborde),
                     qPrintable(avisos->ultimo().texto));
        }
        // Mending the wrong amount is an edit like any other.
        Editar(*v, 1, 5, "10");
        QCOMPARE(v->ListaLlamadas()[0].Importe, Moneda::desdeEntero(10));
    }

    // Every refill ("Abrir", "Inicio", an edit's reload) shows white rows, the button up.
    void rellenarQuitaLosColores() {
        Escribir(Otro("tres.ldx"), Varias(3));
        auto v = Abrir(Varias(3));
        const auto blanca = [&] {
            return v->Modelo->index(0, 0).data(Qt::BackgroundRole).value<QBrush>() ==
                       QBrush(Qt::white) &&
                   !v->Boton(18)->isChecked();
        };
        const std::function<void()> rellenos[] = {[&] {
                                                      avisos->responder(Otro("tres.ldx"));
                                                      v->Boton(2)->trigger();
                                                  },
                                                  [&] { v->Boton(20)->trigger(); },
                                                  [&] { Editar(*v, 1, 6, "Provincial"); }};
        for (const auto& rellenar : rellenos) {
            v->Boton(18)->trigger();
            QVERIFY(!blanca());
            rellenar();
            QVERIFY(blanca());
        }
    }

    // Calls the meter appended after the window read the file survive an edit and a delete.
    void edicionConservaLasLlamadasAnadidas() {
        auto v = Abrir(Varias(3));
        const Llamada nueva = Crear(20, 21, 300, 300, "33.3");
        QVERIFY(ArchivoLlamadas::Anadir(Actual().toStdString(), nueva));
        Editar(*v, 1, 6, "Provincial");
        auto esperado = Varias(3);
        esperado[0].Tarifa = "Provincial";
        esperado.push_back(nueva);
        QCOMPARE(ArchivoLlamadas::Leer(Actual().toStdString()).llamadas, esperado);
        QCOMPARE(v->ListaLlamadas(), esperado);
        QVERIFY(ArchivoLlamadas::Anadir(Actual().toStdString(), nueva));
        Seleccionar(*v, 2, 1);
        avisos->responder(true);
        v->EliminarLlamada();
        esperado.erase(esperado.begin() + 1);
        esperado.push_back(nueva);
        QCOMPARE(v->ListaLlamadas(), esperado);
    }

    // Failed writes (full disk, a file rewritten by another program since it was read, a missing
    // folder) are reported and leave the file on disk and the shown list as they were.
    void cambiosQueNoLleganAlDisco() {
        Escribir(Otro("previo.ldx"), Varias(1));
        const QByteArray previo = Leer(Otro("previo.ldx"));
        auto v = Abrir(Varias(5));
        const QByteArray antes = Leer(Actual());
        avisos->responder(Otro("previo.ldx"));
        ConDiscoLleno([&] { v->GuardarComo(); });
        UltimoEsError();
        QVERIFY(avisos->ultimo().texto.startsWith("No se ha podido guardar el archivo"));
        QCOMPARE(Leer(Otro("previo.ldx")), previo);
        avisos->responder(Otro("no/existe/copia.ldx"));
        v->GuardarComo();
        QVERIFY(avisos->ultimo().texto.contains("no/existe/copia.ldx"));
        ConDiscoLleno([&] { Editar(*v, 2, 6, "Provincial"); });
        UltimoEsError();
        QCOMPARE(Leer(Actual()), antes);
        QCOMPARE(v->ListaLlamadas(), Varias(5));
        Seleccionar(*v, 2, 6);
        avisos->responder(true);
        ConDiscoLleno([&] { v->EliminarLlamada(); });
        UltimoEsError();
        QCOMPARE(Leer(Actual()), antes);
        QCOMPARE(v->N(), 5);
        Escribir(Actual(), Varias(2));
        const QByteArray ajeno = Leer(Actual());
        Editar(*v, 1, 6, "Provincial");
        UltimoEsError();
        QCOMPARE(Leer(Actual()), ajeno);
        QCOMPARE(v->N(), 2);
    }

    void eliminarLlamada() {
        auto v = Abrir(Varias(3));
        // Right after opening the current cell is in the header row: nothing to edit or delete.
        v->ModificarCelda();
        v->Boton(9)->trigger();
        QCOMPARE(avisos->beeps, 1);
        Seleccionar(*v, 2, 0);
        v->ModificarCelda();
        QVERIFY(avisos->mostrados.isEmpty());
        Seleccionar(*v, 1, 2);
        avisos->responder(false);
        v->Boton(9)->trigger();
        QCOMPARE(avisos->ultimo().texto,
                 QString::fromUtf8("¿Desea realmente eliminar la llamada 1?"));
        QVERIFY(!avisos->ultimo().siPorDefecto);
        QCOMPARE(v->N(), 3);
        avisos->responder(true);
        v->EliminarLlamada();
        const auto tres = Varias(3);
        QCOMPARE(ArchivoLlamadas::Leer(Actual().toStdString()).llamadas,
                 (std::vector<Llamada>{tres[1], tres[2]}));
        // The current cell is now the last call's, so the next delete offers it.
        avisos->responder(true);
        v->EliminarLlamada();
        QCOMPARE(avisos->ultimo().texto,
                 QString::fromUtf8("¿Desea realmente eliminar la llamada 2?"));
        QCOMPARE(v->N(), 1);
    }

    void cambiarFuente() {
        auto v = Abrir();
        QFont elegida("DejaVu Serif");
        elegida.setPointSizeF(10.5);
        avisos->responder(QVariant::fromValue(elegida));
        v->CambiarFuente();
        QCOMPARE(ajustes.read("VatriMox", "Opciones", "FontSize"), std::string("10"));
    }

    void datosHoy() {
        reloj.poner(1999, 3, 15, 23, 59);
        Escribir(Actual(), {Crear(15, 9, 70, 60, "12.5"), Crear(14, 9, 999, 999, "99"),
                            Crear(15, 10, 100, 90, "20")});
        // A date with a time part is never today's.
        Poner(Actual(),
              Leer(Actual()) + "#1999-03-15 00:00:00#,#09:00:00#,#00:00:01#,1,1,\"M\"\r\n");
        auto v = Abrir();
        v->Boton(14)->trigger();
        QCOMPARE(avisos->ultimo().texto,
                 QString::fromUtf8("Llamadas efectuadas: \t2\nSegundos facturados: \t150 \"\n"
                                   "Tiempo de conexión: \t00:02:50\n"
                                   "Importe de las llamadas: \t32,5 pts"));
        QCOMPARE(v->ImporteTotal, *Moneda::desdeTexto("32.5"));
        v->CalcularTotales();
        QCOMPARE(v->ImporteTotal, *Moneda::desdeTexto("132.5"));
    }

    // From the menu of "Totales": every call type re-priced, cheapest first, against the 51,40
    // logged; a refused plan file is named in one message; the log is left as it was.
    void queTarifaMeConviene() {
        QDir planes(Rutas::CarpetaPlanes());
        planes.mkpath(".");
        const QByteArray todoElDia = "[\"00:00:00-23:59:59 reducida\"]\n";
        Poner(planes.filePath("plana.toml"),
              "nombre = \"Plana\"\n[[tipo]]\nnombre = \"Plana\"\nestablecimiento = 1\n"
              "franjas = { reducida = 0 }\nlaborales = " +
                  todoElDia + "sabados = " + todoElDia + "festivos = " + todoElDia);
        Poner(planes.filePath("rota.toml"), "nombre = \"Rota\"\n[[tipo]]\npasos = [0, 1]\n");
        auto v = Abrir({Crear(15, 10, 100, 100, "11.4"), Crear(16, 18, 300, 300, "40")});
        const QByteArray antes = Leer(Actual());
        auto* totales = qobject_cast<QToolButton*>(v->Barra->widgetForAction(v->Boton(15)));
        totales->menu()->actions().at(1)->trigger();
        planes.removeRecursively();
        QCOMPARE(avisos->mostrados.size(), 1);
        QVERIFY2(avisos->ultimo().texto.contains("tarifas/rota.toml, línea "),
                 qPrintable(avisos->ultimo().texto));
        auto* dialogo = v->findChild<ComparacionDialog*>();
        QVERIFY(dialogo && dialogo->isVisible());
        QCOMPARE(dialogo->windowTitle(), QString::fromUtf8("¿Qué tarifa me conviene?"));
        QStringList filas;
        for (int f = 0; f < dialogo->Tabla->rowCount(); ++f) {
            QStringList celdas;
            for (int c = 0; c < dialogo->Tabla->columnCount(); ++c)
                celdas << dialogo->Tabla->item(f, c)->text();
            filas << celdas.join('|');
        }
        QCOMPARE(filas, QStringList({"Plana|Plana|2,00|0,01|-49,40",
                                     "Metropolitana|Tarifa nacional 1999|33,35|0,20|-18,05",
                                     "Provincial|Tarifa nacional 1999|122,75|0,74|+71,35",
                                     "Interprovincial|Tarifa nacional 1999|220,80|1,33|+169,40"}));
        QCOMPARE(Leer(Actual()), antes);
        dialogo->findChild<QPushButton*>("Cerrar")->click();
    }
};

QTEST_MAIN(TestVentanaLlamadas)
#include "TestVentanaLlamadas.moc"

// Form6 driven headless: loading, toolbar, files, font, today's summary, the tariff comparison.
#include "platform/Rutas.h"
#include "support/Tablas.h"
#include "ui/BancoVentanaLlamadas.h"
#include "ui/calllog/ComandosEstadistica.h"
#include "ui/tariffs/ComparacionDialog.h"

#include <QMenu>
#include <QTableWidget>
#include <QToolButton>

namespace {
struct Atajo {
    const char* fila; // the key, and the toolbar position whose command it runs
    int posicion;
    QVariant respuesta; // to the command's prompt, if it has one
};
} // namespace
Q_DECLARE_METATYPE(Atajo)

class TestVentanaLlamadas : public BancoVentanaLlamadas {
    Q_OBJECT
private slots:
    void init() { Preparar(); }
    void cleanup() { Comprobar(); }

    // The file's cells and the stored font size; a font of 10.5 points is stored as 10. Today's
    // summary takes the calls of 15 March; a date with a time part is never today's.
    void abreElArchivoDelPeriodoConSusCeldas() {
        ajustes.write("VatriMox", "Opciones", "FontSize", "11");
        Escribir(Actual(), {Llamada{*Fechas::crearDia(1999, 3, 15), 66303, 312, 312,
                                    *Moneda::desdeTexto("45.23"), "Metropolitana"},
                            Crear(16, 0, 0, 0, "0", "Provincial"), Crear(15, 9, 70, 60, "12.5")});
        Escribir(Actual(),
                 Contenido(Actual()) + "#1999-03-15 00:00:00#,#09:00:00#,#00:00:01#,1,1,\"M\"\r\n");
        auto v = Abrir();
        QCOMPARE(v->Flex->font().pointSize(), 11);
        QCOMPARE(Fila(*v, 1), QString("1|15/3/99|18:25:03|0:05:12|312|45,23|Metropolitana"));
        QCOMPARE(Fila(*v, 2), QString("2|16/3/99|0:00:00|0:00:00|0|0|Provincial"));
        QCOMPARE(QPoint(v->FilaActual(), v->ColumnaActual()), QPoint(0, 6)); // in the header row
        QFont elegida("DejaVu Serif");
        elegida.setPointSizeF(10.5);
        avisos.responder(QVariant::fromValue(elegida));
        v->CambiarFuente();
        QCOMPARE(ajustes.read("VatriMox", "Opciones", "FontSize"), std::string("10"));
        v->Boton(14)->trigger();
        QCOMPARE(avisos.ultimo().texto, QString("Llamadas efectuadas: \t2\nSegundos facturados: "
                                                "\t372 \"\nTiempo de conexión: \t00:06:22\n"
                                                "Importe de las llamadas: \t57,73 pts"));
        QCOMPARE(v->ImporteTotal, *Moneda::desdeTexto("57.73"));
        v->CalcularTotales();
        QCOMPARE(v->ImporteTotal, *Moneda::desdeTexto("58.73"));
    }

    // A damaged file, opened with "Abrir" or as the window's own, is reported with where it
    // goes wrong, shown empty and left as it was.
    void archivoDanado() {
        const QByteArray corto = "#1999-03-15#,#18:25:03#,#00:05:12#,312\r\n";
        const QByteArray basura =
            "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"M\"\r\nbasura\r\n";
        const auto danado = [&](const char* detalle) {
            UltimoEsError();
            QCOMPARE(avisos.ultimo().texto + ": " + avisos.ultimo().detalle,
                     "No es un archivo de llamadas o está dañado: " + QString(detalle));
        };
        Escribir(Otro("malo.ldx"), corto);
        auto v = Abrir(Varias(4));
        avisos.responder(Otro("malo.ldx"));
        v->AbrirArchivo();
        danado("Línea 1, campo 5 (Importe): el archivo termina a mitad de un registro");
        QVERIFY(v->ArchivoActual == Otro("malo.ldx") && v->N() == 0);
        Escribir(Actual(), basura);
        v = Abrir();
        danado("Línea 2, campo 1 (Fecha): se esperaba una fecha u hora entre #");
        QVERIFY(avisos.mostrados.size() == 3 && v->N() == 0); // the file dialog, a message each
        QCOMPARE(Contenido(Otro("malo.ldx")) + Contenido(Actual()), corto + basura);
    }

    // A press on a separator or outside the twenty positions does nothing; the chart buttons
    // share the grid's height. The commands' names, keys and Tab routes are TestAccesibilidad's.
    void barraConSusVeintePosiciones() {
        auto v = Abrir();
        QVERIFY(!v->Boton(0) && !v->Boton(21) && v->Boton(19)->isSeparator());
        for (int p : {0, 4, 7, 10, 13, 17, 19, 21})
            v->Barra_ButtonClick(p);
        QVERIFY(avisos.mostrados.isEmpty());
        v->resize(800, 600);
        v->show();
        QVERIFY(QTest::qWaitForWindowExposed(v.get()));
        const int completo = v->height() - v->Barra->height();
        v->Boton(12)->trigger();
        QVERIFY(!v->Grafico2->isHidden() && !v->Grafico3->isHidden());
        v->Boton(11)->trigger();
        QVERIFY(v->Grafico2->isHidden() && v->Grafico3->isHidden() && !v->Grafico->isHidden() &&
                !v->Boton(12)->isChecked());
        QCOMPARE(v->Flex->height(), completo / 2);
        v->Boton(11)->trigger();
        QVERIFY(v->Grafico->isHidden());
        QCOMPARE(v->Flex->height(), completo);
    }

    // A key on the grid runs the toolbar command at `posicion`, as a press of its button does.
    void atajosDeTeclado_data() {
        using A = Atajo;
        const QVariant cancelar, no = false, nada = "nada";
        tabla<A>({A{"Ctrl+N", 1, no}, A{"Ctrl+O", 2, cancelar}, A{"Ctrl+P", 5, no},
                  A{"Alt+F", 6, cancelar}, A{"F2", 8, cancelar}, A{"Return", 8, cancelar},
                  A{"Del", 9, no}, A{"Alt+H", 12, nada}, A{"Alt+I", 20, nada}});
    }
    void atajosDeTeclado() {
        const auto& [tecla, posicion, respuesta] = fila<Atajo>();
        auto v = Abrir(Varias(2));
        v->show();
        v->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
        Seleccionar(*v, 1, 2);
        v->Flex->setFocus();
        if (respuesta != QVariant("nada"))
            avisos.responder(respuesta);
        QSignalSpy veces(v->Boton(posicion), &QAction::triggered);
        const QKeyCombination k = QKeySequence(tecla)[0];
        QTest::keyClick(v->Flex, k.key(), k.keyboardModifiers());
        QCOMPARE(veces.count(), 1);
    }

    // "Nuevo", "Guardar como", "Abrir" and "Inicio" on the window's own file and another.
    void archivos() {
        Escribir(Otro("tres.ldx"), Varias(3));
        auto v = Abrir(Varias(10));
        avisos.responder(false);
        v->Boton(1)->trigger();
        QVERIFY(!avisos.ultimo().siPorDefecto);
        QCOMPARE(v->N(), 10);
        // A saved copy, .ldx or .csv, has the same bytes; the window keeps its own file.
        avisos.responder(Otro("copia.ldx"));
        v->Boton(3)->trigger();
        avisos.responder(Otro("copia.csv"));
        v->GuardarComo();
        QCOMPARE(Contenido(Otro("copia.csv")) + Contenido(Otro("copia.ldx")),
                 Contenido(Actual()).repeated(2));
        avisos.responder(Otro("tres.ldx"));
        v->Boton(2)->trigger();
        QCOMPARE(v->ListaLlamadas(), Varias(3));
        QCOMPARE(v->FilaActual(), 3);
        // "Nuevo" while another file is shown empties that file only; saving right after it
        // writes none of the earlier calls.
        avisos.responder(true);
        v->NuevoArchivo();
        QCOMPARE(v->N(), 0);
        avisos.responder(Otro("guardado.ldx"));
        v->GuardarComo();
        QCOMPARE(Contenido(Otro("tres.ldx")) + Contenido(Otro("guardado.ldx")), QByteArray());
        // "Inicio" goes back to the current-period file, untouched.
        v->Boton(20)->trigger();
        QVERIFY(v->ArchivoActual == Actual() && v->N() == 10 && v->FilaActual() == 0);
    }

    // From the menu of "Totales": every call type re-priced, cheapest first, against the 51,40
    // logged; a refused plan file is named in one message; the log is left as it was.
    void queTarifaMeConviene() {
        QDir planes(Rutas::CarpetaPlanes());
        planes.mkpath(".");
        const QByteArray todoElDia = "[\"00:00:00-23:59:59 reducida\"]\n";
        Escribir(planes.filePath("plana.toml"),
                 "nombre = \"Plana\"\n[[tipo]]\nnombre = \"Plana\"\nestablecimiento = 1\n"
                 "franjas = { reducida = 0 }\nlaborales = " +
                     todoElDia + "sabados = " + todoElDia + "festivos = " + todoElDia);
        Escribir(planes.filePath("rota.toml"),
                 QByteArray("nombre = \"Rota\"\n[[tipo]]\npasos = [0, 1]\n"));
        auto v = Abrir({Crear(15, 10, 100, 100, "11.4"), Crear(16, 18, 300, 300, "40")});
        const QByteArray antes = Contenido(Actual());
        auto* totales = qobject_cast<QToolButton*>(v->Barra->widgetForAction(v->Boton(15)));
        totales->menu()->actions().at(1)->trigger();
        planes.removeRecursively();
        QVERIFY(avisos.mostrados.size() == 1 &&
                avisos.ultimo().texto.contains("tarifas/rota.toml, línea "));
        auto* dialogo = v->findChild<ComparacionDialog*>();
        QVERIFY(dialogo->isVisible());
        QStringList celdas;
        for (int f = 0; f < dialogo->Tabla->rowCount(); ++f)
            for (int c = 0; c < dialogo->Tabla->columnCount(); ++c)
                celdas << dialogo->Tabla->item(f, c)->text();
        QCOMPARE(celdas.join('|'),
                 QString("Plana|Plana|2,00|0,01|-49,40|"
                         "Metropolitana|Tarifa nacional 1999|33,35|0,20|-18,05|"
                         "Provincial|Tarifa nacional 1999|122,75|0,74|+71,35|"
                         "Interprovincial|Tarifa nacional 1999|220,80|1,33|+169,40"));
        QCOMPARE(Contenido(Actual()), antes);
    }
};

QTEST_MAIN(TestVentanaLlamadas)
#include "TestVentanaLlamadas.moc"

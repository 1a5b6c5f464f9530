// Form6's edits driven headless: cells changed or refused, literals kept, deletes, and edits
// that meet calls appended meanwhile or a full disk.
#include "ui/BancoVentanaLlamadas.h"

#include <QBrush>

class TestEdicionLlamadas : public BancoVentanaLlamadas {
    Q_OBJECT
private slots:
    void init() { Preparar(); }
    void cleanup() { Comprobar(); }

    void modificarCelda() {
        auto v = Abrir(Varias(3));
        Seleccionar(*v, 3, 4);
        avisos.responder(QString("12,5"));
        v->Boton(8)->trigger();
        QCOMPARE(avisos.ultimo().titulo, QString("Valor a modificar:   \"63\"   Celda:   3 - 5"));
        QCOMPARE(Contenido(Actual()).split('\n').value(2),
                 QByteArray("#1999-03-04#,#03:00:00#,#00:01:03#,12,11.4,\"Metropolitana\"\r"));
        // A double click edits the clicked cell.
        Seleccionar(*v, 1, 6);
        avisos.responder(QString("Interprovincial"));
        emit v->Flex->doubleClicked(v->Flex->currentIndex());
        QCOMPARE(v->ListaLlamadas()[0].Tarifa, std::string("Interprovincial"));
    }

    // Literals with both parts and a Windows-1252 call type are shown whole and written back as
    // read; an edited call type keeps the file's encoding or is refused.
    void literalesYTarifasComoSeLeyeron() {
        const QByteArray linea1 = "#1999-03-15 10:20:30#,#1999-03-16 "
                                  "08:00:00#,#1899-12-30#,60,5,\"Interprov\xEDncial\"\r\n";
        const QByteArray linea2 = "#10:20:30#,#1999-03-16#,#00:01:00#,60,5,\"Provincial\"\r\n";
        Escribir(Actual(), linea1 + linea2);
        auto v = Abrir();
        QCOMPARE(Fila(*v, 1), QString("1|15/3/99 10:20:30|16/3/99 8:00:00|0:00:00|60|5|"
                                      "Interprovíncial"));
        QCOMPARE(Fila(*v, 2), QString("2|10:20:30|16/3/99|0:01:00|60|5|Provincial"));
        Editar(*v, 1, 4, "61");
        Editar(*v, 2, 6, "Provinciál");
        const QByteArray esperado = QByteArray(linea1).replace(",60,", ",61,") +
                                    QByteArray(linea2).replace("Provincial", "Provinci\xE1l");
        QCOMPARE(Contenido(Actual()), esperado);
        Editar(*v, 2, 6, "Ōsaka");
        UltimoEsError();
        QVERIFY(avisos.ultimo().texto.contains("«Ō»"));
        QCOMPARE(Contenido(Actual()), esperado);
    }

    // Refused with a message naming the column or the fault; file, list and cell stay as they
    // were.
    void modificarCeldaRechazada_data() {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("respuesta");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("texto en fecha") << 1 << "mañana" << QString("Fecha");
        QTest::newRow("tarifa con comillas") << 6 << "a\"b" << QString("Tarifa");
        QTest::newRow("suma que desborda")
            << 5 << "922337203685477"
            << "La suma de los importes supera 922337203685477,5807 pts";
    }
    void modificarCeldaRechazada() {
        QFETCH(int, columna);
        QFETCH(QString, respuesta);
        QFETCH(QString, motivo);
        auto v = Abrir(Varias(3));
        const QByteArray antes = Contenido(Actual());
        const QString celda = v->Modelo->TextoCelda(1, columna);
        Editar(*v, 2, columna, respuesta);
        UltimoEsError();
        QVERIFY2(avisos.ultimo().texto.contains(motivo), qPrintable(avisos.ultimo().texto));
        QCOMPARE(Contenido(Actual()), antes);
        QCOMPARE(v->ListaLlamadas(), Varias(3));
        QCOMPARE(v->Modelo->TextoCelda(1, columna), celda);
    }

    // The edit box offers a date that reads back as the same day: four digits where the
    // two-digit year would read back in another century. Taken unchanged, the offered text
    // keeps the value, also a date or time that carries both parts (columna -1 and -2).
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
        QCOMPARE(avisos.ultimo().filtro, texto);
        const QByteArray antes = Contenido(Actual());
        Editar(*v, 1, columna, texto);
        QCOMPARE(avisos.ultimo().tipo, QString("input"));
        QCOMPARE(Contenido(Actual()), antes);
    }

    // Amounts read from a file whose sum does not fit: every summary refuses with a message, and
    // mending the wrong amount is an edit like any other.
    void importesQueNoSuman() {
        auto v = Abrir({Crear(15, 10, 60, 60, "922337203685477"), Crear(15, 11, 60, 60, "11.4")});
        for (int boton : {5, 14, 15, 16}) { // listing, today, totals, estimates
            v->Boton(boton)->trigger();
            QVERIFY2(avisos.ultimo().texto.startsWith("La suma de los importes supera "
                                                      "922337203685477,5807 pts"),
                     qPrintable(avisos.ultimo().texto));
        }
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
        for (int boton : {2, 20, 8}) {
            v->Boton(18)->trigger();
            QVERIFY(!blanca());
            Seleccionar(*v, 1, 6);
            if (boton != 20)
                avisos.responder(boton == 2 ? Otro("tres.ldx") : "Provincial");
            v->Boton(boton)->trigger();
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
        avisos.responder(true);
        v->EliminarLlamada();
        esperado.erase(esperado.begin() + 1);
        esperado.push_back(nueva);
        QCOMPARE(v->ListaLlamadas(), esperado);
    }

    // Failed writes (full disk, a missing folder, a file rewritten by another program since it
    // was read) are reported and leave the file on disk and the shown list as they were.
    void cambiosQueNoLleganAlDisco() {
        Escribir(Otro("previo.ldx"), Varias(1));
        const QByteArray previo = Contenido(Otro("previo.ldx"));
        auto v = Abrir(Varias(5));
        const QByteArray antes = Contenido(Actual());
        avisos.responder(Otro("previo.ldx"));
        ConDiscoLleno([&] { v->GuardarComo(); });
        UltimoEsError();
        QVERIFY(avisos.ultimo().texto.startsWith("No se ha podido guardar el archivo"));
        QCOMPARE(Contenido(Otro("previo.ldx")), previo);
        avisos.responder(Otro("no/existe/copia.ldx"));
        v->GuardarComo();
        QVERIFY(avisos.ultimo().texto.contains("no/existe/copia.ldx"));
        ConDiscoLleno([&] { Editar(*v, 2, 6, "Provincial"); });
        UltimoEsError();
        QCOMPARE(v->ListaLlamadas(), Varias(5));
        Seleccionar(*v, 2, 6);
        avisos.responder(true);
        ConDiscoLleno([&] { v->EliminarLlamada(); });
        UltimoEsError();
        QCOMPARE(Contenido(Actual()), antes);
        QCOMPARE(v->N(), 5);
        Escribir(Actual(), Varias(2));
        const QByteArray ajeno = Contenido(Actual());
        Editar(*v, 1, 6, "Provincial");
        UltimoEsError();
        QCOMPARE(Contenido(Actual()), ajeno);
        QCOMPARE(v->N(), 2);
    }

    void eliminarLlamada() {
        auto v = Abrir(Varias(3));
        // Right after opening the current cell is in the header row: nothing to edit or delete.
        v->ModificarCelda();
        v->Boton(9)->trigger();
        QCOMPARE(avisos.beeps, 1);
        Seleccionar(*v, 2, 0);
        v->ModificarCelda();
        QVERIFY(avisos.mostrados.isEmpty());
        Seleccionar(*v, 1, 2);
        avisos.responder(false);
        v->Boton(9)->trigger();
        QCOMPARE(avisos.ultimo().texto, QString("¿Desea realmente eliminar la llamada 1?"));
        QVERIFY(!avisos.ultimo().siPorDefecto);
        QCOMPARE(v->N(), 3);
        avisos.responder(true);
        v->EliminarLlamada();
        const auto tres = Varias(3);
        QCOMPARE(ArchivoLlamadas::Leer(Actual().toStdString()).llamadas,
                 (std::vector<Llamada>{tres[1], tres[2]}));
        // The current cell is now the last call's, so the next delete offers it.
        avisos.responder(true);
        v->EliminarLlamada();
        QCOMPARE(avisos.ultimo().texto, QString("¿Desea realmente eliminar la llamada 2?"));
        QCOMPARE(v->N(), 1);
    }
};

QTEST_MAIN(TestEdicionLlamadas)
#include "TestEdicionLlamadas.moc"

// Form6's edits driven headless: cells changed or refused, literals kept, deletes, full disks.
#include "support/Tablas.h"
#include "ui/BancoVentanaLlamadas.h"

#include <QBrush>

namespace {
const QString Supera = "La suma de los importes supera 922337203685477,5807 pts";
enum Archivo { Normal, Lleno, Reescrito }; // a full disk, or rewritten since it was read
struct Rechazo {
    const char* fila;
    Archivo archivo;
    int columna; // 0: the call is deleted; -1: a copy saved over the file `respuesta`
    QString respuesta, motivo;
};
struct Fecha {
    const char* fila;
    int anio, columna; // -1 and -2: a date with a time part, a time with a date part
    QString texto;
};
} // namespace
Q_DECLARE_METATYPE(Rechazo)
Q_DECLARE_METATYPE(Fecha)

class TestEdicionLlamadas : public BancoVentanaLlamadas {
    Q_OBJECT
private slots:
    void init() { Preparar(); }
    void cleanup() { Comprobar(); }

    // Calls the meter appends after the window read the file survive its edits and deletes.
    void modificarYEliminar() {
        auto v = Abrir(Varias(3));
        const Llamada nueva = Crear(20, 21, 300, 300, "33.3");
        QVERIFY(ArchivoLlamadas::Anadir(Actual().toStdString(), nueva));
        // Nothing to edit or delete in the header row, current after opening, nor in column 0.
        v->ModificarCelda();
        v->Boton(9)->trigger();
        QCOMPARE(avisos.beeps, 1);
        Seleccionar(*v, 2, 0);
        v->ModificarCelda();
        QVERIFY(avisos.mostrados.isEmpty());
        Seleccionar(*v, 3, 4);
        avisos.responder(QString("12,5"));
        v->Boton(8)->trigger();
        QCOMPARE(avisos.ultimo().titulo, QString("Valor a modificar:   \"63\"   Celda:   3 - 5"));
        QCOMPARE(Contenido(Actual()).split('\n').value(2),
                 QByteArray("#1999-03-04#,#03:00:00#,#00:01:03#,12,11.4,\"Metropolitana\"\r"));
        // A double click edits the clicked cell.
        Seleccionar(*v, 2, 6);
        avisos.responder(QString("Interprovincial"));
        emit v->Flex->doubleClicked(v->Flex->currentIndex());
        QVERIFY(ArchivoLlamadas::Anadir(Actual().toStdString(), nueva));
        Seleccionar(*v, 1, 2);
        avisos.responder(false);
        v->Boton(9)->trigger();
        QCOMPARE(avisos.ultimo().texto, QString("¿Desea realmente eliminar la llamada 1?"));
        QVERIFY(!avisos.ultimo().siPorDefecto);
        avisos.responder(true);
        v->EliminarLlamada();
        auto esperado = Varias(3);
        esperado[1].Tarifa = "Interprovincial";
        esperado[2].Segundos = 12;
        esperado.erase(esperado.begin());
        esperado.insert(esperado.end(), {nueva, nueva});
        QCOMPARE(v->ListaLlamadas(), esperado); // read back from the file
        // The current cell is now the last call's, so the next delete offers it.
        avisos.responder(true);
        v->EliminarLlamada();
        QCOMPARE(avisos.ultimo().texto, QString("¿Desea realmente eliminar la llamada 4?"));
        QCOMPARE(v->N(), 3);
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
        QCOMPARE(Contenido(Actual()),
                 QByteArray(linea1).replace(",60,", ",61,") +
                     QByteArray(linea2).replace("Provincial", "Provinci\xE1l"));
    }

    // Refused with a message naming the column or the fault, or failed writes: the files stay
    // as they were and the window shows what the file holds.
    void modificarCeldaRechazada_data() {
        const QString fallo = "No se ha podido guardar el archivo";
        using R = Rechazo;
        tabla<R>(
            {R{"fecha", Normal, 1, "mañana", "Fecha"}, R{"comillas", Normal, 6, "a\"b", "Tarifa"},
             R{"suma", Normal, 5, "922337203685477", Supera},
             R{"lleno", Lleno, 6, "Provincial", fallo}, R{"eliminar lleno", Lleno, 0, "", fallo},
             R{"reescrito", Reescrito, 6, "Provincial", "ha cambiado desde que se cargó"},
             R{"copia lleno", Lleno, -1, "previo.ldx", fallo},
             R{"carpeta que falta", Normal, -1, "no/existe/copia.ldx", "no/existe/copia.ldx"}});
    }
    void modificarCeldaRechazada() {
        const auto& c = fila<Rechazo>();
        auto v = Abrir(Varias(3));
        if (c.archivo == Reescrito)
            Escribir(Actual(), Varias(2));
        Escribir(Otro("previo.ldx"), Varias(1));
        const QByteArray antes = Contenido(Actual()) + Contenido(Otro("previo.ldx"));
        const QString fila2 = Fila(*v, 2);
        const auto cambiar = [&] {
            if (c.columna < 0) {
                avisos.responder(Otro(c.respuesta));
                return v->GuardarComo();
            }
            if (c.columna)
                return Editar(*v, 2, c.columna, c.respuesta);
            Seleccionar(*v, 2, 6);
            avisos.responder(true);
            v->EliminarLlamada();
        };
        c.archivo == Lleno ? ConDiscoLleno(cambiar) : cambiar();
        UltimoEsError();
        QVERIFY2(avisos.ultimo().texto.contains(c.motivo), qPrintable(avisos.ultimo().texto));
        QCOMPARE(Contenido(Actual()) + Contenido(Otro("previo.ldx")), antes);
        QCOMPARE(v->ListaLlamadas(), ArchivoLlamadas::Leer(Actual().toStdString()).llamadas);
        QCOMPARE(Fila(*v, 2), fila2);
    }

    // The edit box offers a date that reads back as the same day (four digits where two would read
    // back in another century); taken unchanged, it keeps the value, also one with both parts.
    void fechaPorDefecto_data() {
        using F = Fecha;
        tabla<F>({F{"1925", 1925, 1, "15/3/1925"}, F{"2029", 2029, 1, "15/3/29"},
                  F{"2035", 2035, 1, "15/3/2035"}, F{"fecha con hora", 1999, -1, "15/3/99 0:00:15"},
                  F{"hora con fecha", 1999, -2, "15/3/99 0:00:15"}});
    }
    void fechaPorDefecto() {
        const auto& c = fila<Fecha>();
        Llamada l = Crear(15, 0, 0, 0, "0");
        const auto dia = *Fechas::crearDia(c.anio, 3, 15);
        l.Fecha = c.columna == -1 ? Fechas::ValorFecha::DiaYHora(dia, 15) : Fechas::ValorFecha(dia);
        if (c.columna == -2)
            l.Hora = Fechas::ValorFecha::DiaYHora(dia, 15);
        auto v = Abrir({l});
        Editar(*v, 1, std::abs(c.columna), QString()); // cancelled
        QCOMPARE(avisos.ultimo().filtro, c.texto);
        const QByteArray antes = Contenido(Actual());
        Editar(*v, 1, std::abs(c.columna), c.texto);
        QCOMPARE(Contenido(Actual()), antes);
    }

    // Amounts whose sum does not fit: every summary refuses; mending one is an ordinary edit.
    void importesQueNoSuman() {
        auto v = Abrir({Crear(15, 10, 60, 60, "922337203685477"), Crear(15, 11, 60, 60, "11.4")});
        for (int boton : {5, 14, 15, 16}) { // listing, today, totals, estimates
            v->Boton(boton)->trigger();
            QVERIFY2(avisos.ultimo().texto.startsWith(Supera), qPrintable(avisos.ultimo().texto));
        }
        Editar(*v, 1, 5, "10");
        QCOMPARE(v->ListaLlamadas()[0].Importe, Moneda::desdeEntero(10));
    }

    // Every refill ("Abrir", "Inicio", an edit's reload) shows white rows, the button up.
    void rellenarQuitaLosColores() {
        Escribir(Otro("tres.ldx"), Varias(3));
        auto v = Abrir(Varias(3));
        const auto blanca = [&] {
            const QVariant fondo = v->Modelo->index(0, 0).data(Qt::BackgroundRole);
            return fondo.value<QBrush>() == QBrush(Qt::white) && !v->Boton(18)->isChecked();
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
};

QTEST_MAIN(TestEdicionLlamadas)
#include "TestEdicionLlamadas.moc"

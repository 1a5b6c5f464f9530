// The options dialog Form3: opening, dependent controls, checks, storing and cancelling.
#include "support/FakeServices.h"
#include "support/Tablas.h"
#include "ui/options/OpcionesDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace {
struct Caso {
    const char* fila;
    QString control, mensaje; // a check to tick or a box to fill, and the refusal
};
QString Rango(const char* campo, int de, int a) {
    return QString("El valor de \"%1\" debe ser un número entero entre %2 y %3.")
        .arg(campo, QString::number(de), QString::number(a));
}

// Sets controls from "Nombre=texto": a check from 1 or 0, a spin box through its line edit,
// which takes any text.
void Fijar(Form3& f, const QStringList& valores) {
    for (const QString& v : valores) {
        QObject* w = f.findChild<QWidget*>(v.section('=', 0, 0));
        if (auto* linea = w->findChild<QLineEdit*>())
            w = linea;
        for (const char* p : {"checked", "currentText", "text"})
            if (w->setProperty(p, v.section('=', 1)))
                break;
    }
}
// The controls' values joined by '|': a check as true or false, a list by its chosen text.
QString Valores(Form3& f, const QStringList& nombres) {
    QStringList r;
    for (const QString& n : nombres)
        for (const char* p : {"checked", "currentText", "value", "text"})
            if (const QVariant v = f.findChild<QWidget*>(n)->property(p); v.isValid()) {
                r << v.toString();
                break;
            }
    return r.join('|');
}
} // namespace
Q_DECLARE_METATYPE(Caso)

class TestOpciones : public QObject, ServiciosFalsos {
    Q_OBJECT

    General::EstadoPrograma estado;
    VentanaFalsa ventana;

    QString Leer(const char* clave) { return ajustes.read("VatriMox", "Opciones", clave).c_str(); }

private slots:
    void init() {
        Reiniciar();
        estado = General::EstadoPrograma();
        ventana.autodeteccion.clear();
        reloj.poner(1999, 3, 15, 10);
    }
    void cleanup() { Comprobar(); }

    // A check's box switches its dependent controls; a row's buttons find and play its sound.
    void dependientes() {
        Form3 f(servicios, estado, ventana);
        f.show();
        for (const QStringList& d :
             {QStringList{"Check6", "Text9"},
              QStringList{"Check1", "Text1", "Command1", "Command2", "Text4"}}) {
            f.findChild<QTabBar*>("Pestaña")->setCurrentIndex(d[0] == "Check1");
            auto* c = f.findChild<QWidget*>(d[0]);
            for (const char* activo : {"false", "true", "false"}) {
                QCOMPARE(Valores(f, {d[0]}), QString(activo));
                for (const QString& n : d.mid(1))
                    QVERIFY2(f.findChild<QWidget*>(n)->isEnabled() == (activo[0] == 't'),
                             qPrintable(n));
                QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
            }
        }
        Fijar(f, {"Check3=1"});
        f.Check3_Click();
        avisos.responder(QString("/s/adios.wav"));
        QTest::mouseClick(f.findChild<QPushButton*>("Command5"), Qt::LeftButton);
        f.Command6_Click(); // plays the sound just found
        f.Command4_Click();
        QCOMPARE(sonido.reproducidos, QStringList{"/s/adios.wav"});
    }

    // Stored values fill the controls and state; one that does not convert leaves its box (and the
    // state) as it was, an unknown mode selects nothing. Changed values are stored and applied.
    void ida_y_vuelta() {
        for (const QString g : {"Sonidos/InicioSonido=/s/hola.wav", "Opciones/NoAceptar=600",
                                "Opciones/IVA=2", "Opciones/CuantoIVA=16", "Opciones/AutoSINO=1",
                                "Opciones/AlAbrir=Mini Icono", "Opciones/AlConectar=Maximizado",
                                "Opciones/Negociacion=mucho", "Sonidos/Importe=99999"})
            ajustes.write("VatriMox", g.section('/', 0, 0).toStdString(),
                          g.section('/', 1).section('=', 0, 0).toStdString(),
                          g.section('=', 1).toStdString());
        estado.SegundosNegociacion = 7;
        ajustes.escrituras.clear();
        Form3 f(servicios, estado, ventana);
        QCOMPARE(Valores(f, {"Text2", "Text8", "Text9", "Check7", "Check6", "Combo1", "Combo2",
                             "Text7", "Text6"}),
                 QString("/s/hola.wav|600|16|true|false|Mini Icono||0|10"));
        QCOMPARE(QList<int>({estado.PorcentajeIVA, estado.IncluirIVA, estado.SegundosNegociacion}),
                 QList<int>({16, 2, 7}));
        f.Check1_Click();
        f.Check6_Click();
        Fijar(f, {"Check1=1", "Text1=/s/alerta.wav", "Text4=30", "Text6=250", "Check6=1",
                  "Text9=16", "Text7=25", "Text8=15", "Combo1=Normal", "Check5=1", "Check7=1"});
        f.Aceptar_Click();
        QCOMPARE(ajustes.escrituras.size(), 19);
        for (const char* e :
             {"Sonidos/AlertaSonido=/s/alerta.wav", "Sonidos/Periodo=00:30:00",
              "Sonidos/Importe=250", "Opciones/Negociacion=25", "Opciones/AlAbrir=Normal",
              "Opciones/CuantoIVA=16", "Opciones/InicioWindowsSINO=1"})
            QVERIFY2(ajustes.escrituras.contains(e), e);
        QVERIFY(estado.IncluirIVA == 1 && autoinicio.activo &&
                ventana.autodeteccion == QList{true});
        // Detection and autostart off again; a budget stored without its blanks.
        Form3 otra(servicios, estado, ventana);
        Fijar(otra, {"Check7=0", "Check5=0", "Text10= 3000 "});
        otra.Aceptar_Click();
        QVERIFY(ventana.autodeteccion == QList({true, false}) && !autoinicio.activo);
        QCOMPARE(Leer("AutoSINO") + Leer("Presupuesto"), QString("03000"));
        autoinicio.fallar = true; // an autostart that cannot be switched on is told, stored off
        Fijar(otra, {"Check5=1"});
        otra.Aceptar_Click();
        QVERIFY(avisos.ultimo().texto.contains("no se puede escribir"));
        QCOMPARE(Leer("InicioWindowsSINO"), QString("0"));
    }

    // "Aceptar" refused (a sound with no file, a number out of range) stores and applies nothing.
    // With the check cleared it accepts; otherwise "Cancelar" closes it, still storing nothing.
    void aceptarRechazado_data() {
        const QString sinSonido = "No hay ningún sonido asociado";
        tabla<Caso>(
            {{"sonido mientras", "Check1=1", sinSonido},
             {"sonido de importe", "Check4=1", sinSonido},
             {"vacío", "Text7=", Rango("Tiempo de Negociación", 0, 60)},
             {"letras", "Text8=abc", Rango("No guardar llamadas menores de", 0, 600)},
             {"mínimo", "Text6=7", Rango("Pesetas (Cuando el importe sea igual a)", 10, 9000)},
             {"presupuesto negativo", "Text10=-5", Rango("Presupuesto", 0, 9999999)}});
    }
    void aceptarRechazado() {
        const auto& c = fila<Caso>();
        Form3 f(servicios, estado, ventana);
        ajustes.escrituras.clear();
        Fijar(f, {c.control, "Check6=1"});
        f.setResult(-1);
        f.Aceptar_Click();
        QCOMPARE(f.result(), -1);
        QCOMPARE(QString::number(avisos.mostrados.size()) + avisos.ultimo().texto, "1" + c.mensaje);
        const bool check = c.control.startsWith("Check");
        Fijar(f, {c.control.section('=', 0, 0) + "=0"});
        QTest::mouseClick(f.findChild<QPushButton*>(check ? "Aceptar" : "Cancelar"),
                          Qt::LeftButton);
        QCOMPARE(f.result(), int(check ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(QList({ajustes.escrituras.isEmpty(), estado.IncluirIVA == 1,
                        ventana.autodeteccion.size() == 1}),
                 QList({!check, check, check}));
    }
};

QTEST_MAIN(TestOpciones)
#include "TestOpciones.moc"

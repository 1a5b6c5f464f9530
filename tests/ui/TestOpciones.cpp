// Tests of the options dialog Form3: opening, dependent controls, checks, storing and cancelling.
#include "platform/Servicios.h"
#include "settings/Ajustes.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "ui/common/VentanaPrincipal.h"
#include "ui/options/OpcionesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
class FakeVentana : public VentanaPrincipal {
public:
    void AutodeteccionActiva(bool activa) override { llamadas << activa; }
    void DibujarProgreso() override {}
    bool LlamadaEnCurso() const override { return false; }
    QList<bool> llamadas;
};
} // namespace

class TestOpciones : public QObject, ServiciosFalsos {
    Q_OBJECT

    General::EstadoPrograma estado;
    FakeVentana ventana;

    template <class T> static T* W(Form3& f, const char* nombre) {
        T* w = f.findChild<T*>(nombre);
        if (!w)
            qFatal("falta el control %s", nombre);
        return w;
    }
    void Poner(const char* seccion, const char* clave, const char* valor) {
        ajustes.write("VatriMox", seccion, clave, valor);
    }

private slots:
    void init() {
        ajustes = MemorySettingsStore();
        avisos = ScriptedPrompts();
        sonido.reproducidos.clear();
        autoinicio = FakeAutostart();
        estado = General::EstadoPrograma();
        ventana.llamadas.clear();
        reloj.poner(1999, 3, 15, 10);
    }
    void cleanup() { QVERIFY2(avisos.errores.isEmpty(), qPrintable(avisos.errores.join("; "))); }

    void abreConLosAjustesGuardados() {
        Poner("Sonidos", "InicioSonido", "/s/hola.wav");
        Poner("Opciones", "NoAceptar", "600");
        Poner("Opciones", "CuantoIVA", "16");
        Poner("Opciones", "IVA", "1");
        Poner("Opciones", "AutoSINO", "1");
        Poner("Opciones", "AlAbrir", "Minimizado");
        Form3 f(servicios, estado, ventana);
        QCOMPARE(W<QLineEdit>(f, "Text2")->text(), QString("/s/hola.wav"));
        QCOMPARE(W<QSpinBox>(f, "Text8")->value(), 600);
        QCOMPARE(W<QSpinBox>(f, "Text9")->value(), 16);
        QVERIFY(W<QCheckBox>(f, "Check7")->isChecked());
        QCOMPARE(W<QComboBox>(f, "Combo1")->currentText(), QString("Minimizado"));
        QCOMPARE(estado.PorcentajeIVA, 16);
        QCOMPARE(estado.IncluirIVA, 1);
    }

    void abrirSaltaLoQueNoConvierte() {
        Poner("Opciones", "Negociacion", "mucho");
        Poner("Opciones", "IVA", "2");
        Poner("Sonidos", "Importe", "99999");
        estado.SegundosNegociacion = 7;
        Form3 f(servicios, estado, ventana);
        QCOMPARE(estado.SegundosNegociacion, 7);
        QCOMPARE(estado.IncluirIVA, 2);
        QVERIFY(!W<QCheckBox>(f, "Check6")->isChecked());
        QCOMPARE(W<QSpinBox>(f, "Text7")->value(), 0);
        QCOMPARE(W<QSpinBox>(f, "Text6")->value(), 10);
        QCOMPARE(W<QComboBox>(f, "Combo1")->currentIndex(), -1);
    }

    void dependientes_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QStringList>("dependientes");
        QTest::newRow("Check1") << "Check1"
                                << QStringList{"Text1", "Command1", "Command2", "Text4"};
        QTest::newRow("Check6") << "Check6" << QStringList{"Text9"};
    }
    void dependientes() {
        QFETCH(QString, check);
        QFETCH(QStringList, dependientes);
        Form3 f(servicios, estado, ventana);
        f.show();
        W<QTabBar>(f, "Pestaña")->setCurrentIndex(check == "Check6" ? 0 : 1);
        auto* c = W<QCheckBox>(f, qPrintable(check));
        auto estados = [&] {
            QList<bool> r;
            for (const QString& d : dependientes)
                r << W<QWidget>(f, qPrintable(d))->isEnabled();
            return r;
        };
        QCOMPARE(estados(), QList<bool>(dependientes.size(), false));
        const QPoint indicador(6, c->height() / 2);
        QTest::mouseClick(c, Qt::LeftButton, {}, indicador);
        QVERIFY(c->isChecked());
        QCOMPARE(estados(), QList<bool>(dependientes.size(), true));
        QTest::mouseClick(c, Qt::LeftButton, {}, indicador);
        QCOMPARE(estados(), QList<bool>(dependientes.size(), false));
    }

    void ida_y_vuelta() {
        Poner("Opciones", "AlAbrir", "Mini Icono");
        Poner("Opciones", "AlConectar", "Minimizado");
        ajustes.escrituras.clear();
        Form3 f(servicios, estado, ventana);
        f.Check1_Click();
        W<QCheckBox>(f, "Check1")->setChecked(true);
        W<QLineEdit>(f, "Text1")->setText("/s/alerta.wav");
        W<QSpinBox>(f, "Text4")->setValue(30);
        W<QSpinBox>(f, "Text6")->setValue(250);
        W<QCheckBox>(f, "Check6")->setChecked(true);
        f.Check6_Click();
        W<QSpinBox>(f, "Text9")->setValue(16);
        W<QSpinBox>(f, "Text7")->setValue(25);
        W<QSpinBox>(f, "Text8")->setValue(15);
        W<QComboBox>(f, "Combo1")->setCurrentText("Normal");
        W<QCheckBox>(f, "Check5")->setChecked(true);
        W<QCheckBox>(f, "Check7")->setChecked(true);
        QTest::mouseClick(W<QPushButton>(f, "Aceptar"), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(ajustes.escrituras.size(), 19);
        QCOMPARE(ajustes.escrituras.first(), u"Sonidos/AlertaSonido=/s/alerta.wav"_s);
        QCOMPARE(ajustes.escrituras.last(), u"Opciones/InicioWindowsSINO=1"_s);
        for (const char* e :
             {"Sonidos/Periodo=00:30:00", "Sonidos/Importe=250", "Opciones/Negociacion=25",
              "Opciones/AlAbrir=Normal", "Opciones/CuantoIVA=16"})
            QVERIFY2(ajustes.escrituras.contains(e), e);
        QCOMPARE(estado.IncluirIVA, 1);
        QVERIFY(autoinicio.activo);
        QCOMPARE(ventana.llamadas, QList<bool>{true});

        Form3 otra(servicios, estado, ventana);
        QCOMPARE(W<QLineEdit>(otra, "Text1")->text(), QString("/s/alerta.wav"));
        // Switching detection and autostart off again.
        W<QCheckBox>(otra, "Check7")->setChecked(false);
        W<QCheckBox>(otra, "Check5")->setChecked(false);
        otra.Aceptar_Click();
        QCOMPARE(ventana.llamadas, QList<bool>({true, false}));
        QVERIFY(!autoinicio.activo);
        QCOMPARE(ajustes.read("VatriMox", "Opciones", "AutoSINO"), std::string("0"));
        QCOMPARE(ajustes.read("VatriMox", "Opciones", "Presupuesto"), std::string());

        Form3 tercera(servicios, estado, ventana);
        W<QLineEdit>(tercera, "Text10")->setText(" 3000 ");
        tercera.Aceptar_Click();
        QCOMPARE(ajustes.read("VatriMox", "Opciones", "Presupuesto"), std::string("3000"));
    }

    // "Aceptar" refused: a sound chosen with no file, or a number out of its box's range. The
    // message names the fault; nothing is stored or applied. With the check cleared it accepts.
    void aceptarRechazado_data() {
        QTest::addColumn<QString>("control"); // a check to tick, or a box to fill
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        const auto fila = [](const char* n, const char* control, const char* texto,
                             const QString& mensaje) {
            QTest::newRow(n) << QString(control) << QString(texto) << mensaje;
        };
        const auto rango = [](const char* campo, int de, int a) {
            return QString("El valor de \"%1\" debe ser un número entero entre %2 y %3.")
                .arg(campo)
                .arg(de)
                .arg(a);
        };
        fila("sonido mientras", "Check1", "", "No hay ningún sonido asociado");
        fila("sonido de importe", "Check4", "", "No hay ningún sonido asociado");
        fila("vacío", "Text7", "", rango("Tiempo de Negociación", 0, 60));
        fila("letras", "Text8", "abc", rango("No guardar llamadas menores de", 0, 600));
        fila("bajo el mínimo", "Text6", "7",
             rango("Pesetas (Cuando el importe sea igual a)", 10, 9000));
        fila("presupuesto negativo", "Text10", "-5", rango("Presupuesto", 0, 9999999));
    }
    void aceptarRechazado() {
        QFETCH(QString, control);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        Form3 f(servicios, estado, ventana);
        ajustes.escrituras.clear();
        auto* check = qobject_cast<QCheckBox*>(W<QWidget>(f, qPrintable(control)));
        if (check)
            check->setChecked(true);
        else if (auto* linea = f.findChild<QLineEdit*>(control))
            linea->setText(texto);
        else
            W<QWidget>(f, qPrintable(control))->findChild<QLineEdit*>()->setText(texto);
        W<QCheckBox>(f, "Check6")->setChecked(true);
        f.setResult(-1);
        f.Aceptar_Click();
        QCOMPARE(f.result(), -1);
        QCOMPARE(avisos.mostrados.size(), 1);
        QCOMPARE(avisos.ultimo().texto, mensaje);
        QVERIFY(ajustes.escrituras.isEmpty() && ventana.llamadas.isEmpty());
        QCOMPARE(estado.IncluirIVA, 0);
        if (check) {
            check->setChecked(false);
            f.Aceptar_Click();
            QCOMPARE(f.result(), int(QDialog::Accepted));
        }
    }

    void buscarYEscuchar() {
        Form3 f(servicios, estado, ventana);
        W<QCheckBox>(f, "Check3")->setChecked(true);
        f.Check3_Click();
        avisos.responder(QString("/s/adios.wav"));
        QTest::mouseClick(W<QPushButton>(f, "Command5"), Qt::LeftButton);
        QCOMPARE(W<QLineEdit>(f, "Text3")->text(), QString("/s/adios.wav"));
        f.Command6_Click();
        f.Command4_Click();
        QCOMPARE(sonido.reproducidos, QStringList{"/s/adios.wav"});
    }

    void autoinicioQueFallaSeAvisa() {
        autoinicio.fallar = true;
        Form3 f(servicios, estado, ventana);
        W<QCheckBox>(f, "Check5")->setChecked(true);
        f.Aceptar_Click();
        QCOMPARE(avisos.mostrados.size(), 1);
        QVERIFY(avisos.ultimo().texto.contains("no se puede escribir"));
        QCOMPARE(ajustes.read("VatriMox", "Opciones", "InicioWindowsSINO"), std::string("0"));
    }

    void cancelarNoGuarda() {
        Form3 f(servicios, estado, ventana);
        ajustes.escrituras.clear();
        W<QCheckBox>(f, "Check7")->setChecked(true);
        W<QSpinBox>(f, "Text7")->setValue(30);
        QTest::mouseClick(W<QPushButton>(f, "Cancelar"), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QVERIFY(ajustes.escrituras.isEmpty());
        QVERIFY(ventana.llamadas.isEmpty());
        QCOMPARE(estado.SegundosNegociacion, 0);
    }
};

QTEST_MAIN(TestOpciones)
#include "TestOpciones.moc"

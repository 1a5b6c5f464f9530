// Tests of the billing-period calendar: its month grid, selection, checks and the Form10 dialog.
#include "period/CalendarioPeriodo.h"
#include "support/FakeServices.h"
#include "ui/period/PeriodoDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

class TestPeriodo : public QObject, ServiciosFalsos {
    Q_OBJECT

    VentanaFalsa ventana;
    QStringList dibujos; // each redraw of the bar, with the period stored at that time

    QLabel* Celda(Form10& f, int n) { return f.findChild<QLabel*>(QString("Label(%1)").arg(n)); }
    QLabel* Fecha(Form10& f, int i) { return f.findChild<QLabel*>(QString("Fechas(%1)").arg(i)); }
    QString Fechas(Form10& f) { return Fecha(f, 0)->text() + " " + Fecha(f, 1)->text(); }

private slots:
    void init() {
        Reiniciar();
        dibujos.clear();
        ventana.alDibujar = [this] {
            dibujos << QString::fromStdString(ajustes.read("VatriMox", "Datos", "FechaInicio") +
                                              " " +
                                              ajustes.read("VatriMox", "Datos", "FechaFinal"));
        };
        reloj.poner(1999, 3, 15, 10);
    }
    void cleanup() { Comprobar(); }

    // The month grid: first cell and day count, leap years included; only days are enabled.
    void rejillaDelMes() {
        for (auto [anio, mes, primerDia, dias] :
             {std::tuple{1999, 8, 7, 31}, {2000, 2, 2, 29}, {1900, 2, 4, 28}}) {
            Periodo::CalendarioPeriodo c;
            c.Mostrar(anio, mes);
            QCOMPARE(c.primerDia(), primerDia);
            for (int n = 1; n <= Periodo::NumeroCeldas; ++n) {
                const int esperado = n >= primerDia && n < primerDia + dias ? n - primerDia + 1 : 0;
                QCOMPARE(std::pair(c.dia(n), c.habilitada(n)), std::pair(esperado, esperado != 0));
            }
        }
    }

    // Dates in either short form; the message of each refusal.
    void comprobarPeriodo() {
        for (auto [inicio, fin, error] :
             {std::tuple{"1/3/1999", "31/3/1999", ""},
              {"01/03/99", "31/03/99", ""},
              {"1/3/1999", "  ", "Falta la fecha final del periodo."},
              {"2/3/1999", "1/3/1999", "La fecha final es anterior a la fecha inicial."},
              {"31/2/1999", "1/3/1999", "La fecha inicial no es una fecha válida."}}) {
            std::string mensaje;
            const auto p = Periodo::ComprobarPeriodo(inicio, fin, mensaje);
            QCOMPARE(std::pair(p.has_value(), mensaje), std::pair(!*error, std::string(error)));
        }
    }

    // A new month or year keeps the day or takes the month's last; years 1998 to max(2010, next).
    void mesYAnio() {
        for (auto [hoy, maximo] : {std::pair{1999, 2010}, {2010, 2011}}) {
            reloj.poner(hoy, 1, 31);
            Form10 f(servicios, ventana);
            auto* anio = f.findChild<QSpinBox*>("Text1");
            QCOMPARE(anio->value(), hoy);
            if (hoy == 1999) {
                f.findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
                QCOMPARE(std::pair(f.calendario().mes(), f.calendario().diaSeleccionado()),
                         std::pair(2, 28));
                anio->setValue(2000); // 1 February 2000 is a Tuesday: the 29th in cell 30
                QCOMPARE(std::pair(f.calendario().diaSeleccionado(), Celda(f, 30)->text()),
                         std::pair(29, QString("29")));
                f.Fechas_Click(0);
                QCOMPARE(Fecha(f, 0)->text(), QString("29/2/2000"));
                f.show(); // no final date: refused with a message; closing then saves nothing
                f.Command1_Click();
                QVERIFY(f.isVisible());
                QCOMPARE(avisos.ultimo().texto, QString("Falta la fecha final del periodo."));
                f.close();
                QVERIFY(ajustes.escrituras.isEmpty() && dibujos.isEmpty());
            }
            anio->stepBy(100);
            QCOMPARE(std::pair(anio->value(), f.calendario().anio()), std::pair(maximo, maximo));
            anio->stepBy(-200);
            QCOMPARE(anio->value(), 1998);
        }
    }

    // Click, Space or Enter in a date box takes the day picked by mouse or arrows; OK stores both.
    void abreYGuarda() {
        ajustes.write("VatriMox", "Datos", "FechaInicio", "01/02/99");
        ajustes.write("VatriMox", "Datos", "FechaFinal", "30/04/99");
        Form10 f(servicios, ventana);
        QCOMPARE(f.findChild<QComboBox*>("Combo1")->currentText(), QString("Marzo"));
        QVERIFY(!Celda(f, 32)->isEnabled());
        QCOMPARE(Celda(f, 15)->palette().color(QPalette::Window), QColor(0, 255, 255));
        QCOMPARE(Celda(f, 14)->palette().color(QPalette::Window), QColor(255, 255, 255));
        QCOMPARE(Fechas(f), QString("01/02/99 30/04/99"));
        QTest::mouseClick(Fecha(f, 0), Qt::LeftButton);
        QCOMPARE(Fechas(f), QString("15/3/1999 30/04/99"));
        QTest::mouseClick(Celda(f, 1), Qt::LeftButton);
        auto* dias = f.findChild<QWidget*>("Picture2");
        for (const auto tecla : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left})
            QTest::keyClick(dias, tecla);
        QCOMPARE(dias->accessibleDescription(), QString("Día seleccionado: 21/3/1999"));
        for (int i = 0; i < 4; ++i) // no day above the 1st: the fourth stays
            QTest::keyClick(dias, Qt::Key_Up);
        QCOMPARE(f.calendario().diaSeleccionado(), 7);
        QTest::keyClick(Fecha(f, 0), Qt::Key_Space);
        for (int i = 0; i < 4; ++i) // nor below the 28th in that column
            QTest::keyClick(dias, Qt::Key_Down);
        QTest::keyClick(Fecha(f, 1), Qt::Key_Return);
        QCOMPARE(Celda(f, 28)->accessibleName(), QString("28, seleccionado"));
        QTest::mouseClick(f.findChild<QWidget*>("Command1"), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(dibujos, QStringList{"7/3/1999 28/3/1999"}); // stored, then drawn once
        QVERIFY(avisos.mostrados.isEmpty());
    }
};

QTEST_MAIN(TestPeriodo)
#include "TestPeriodo.moc"

// Tests of the tariff viewer Form8: rows of each tab and call type, and choosing the call type.
#include "platform/Servicios.h"
#include "settings/Ajustes.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "tariffs/LectorPlanes.h"
#include "ui/tariffs/VisorTarifas.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {
const char* const Barras[4] = {"Label5", "Label6", "Label7", "Label26"};
const int Textos[4][4] = {{13, 14, 15, 16}, {17, 18, 19, 20}, {21, 22, 23, 24}, {27, 28, 29, 30}};

QString Color(const QColor& c) {
    if (c == QColor(192, 255, 192))
        return "reducida";
    if (c == QColor(255, 255, 192))
        return "normal";
    if (c == QColor(255, 192, 192))
        return "punta";
    if (c == QColor(255, 255, 255))
        return "blanca";
    return c.name();
}
} // namespace

class TestVisor : public QObject, ServiciosFalsos {
    Q_OBJECT

    General::EstadoPrograma estado;

    static QLabel* L(Form8& f, const QString& nombre) { return f.findChild<QLabel*>(nombre); }
    static QComboBox* Combo(Form8& f) { return f.findChild<QComboBox*>("Combo1"); }

    // Each row as "start end set-up price [bar text] band"; an empty row shows only its white
    // bar. Every row the window has, four without plans.
    static QStringList Filas(Form8& f) {
        QStringList filas;
        for (int r = 0;; ++r) {
            const auto numero = [r](int c) { return r < 4 ? Textos[r][c] : 40 + (r - 4) * 5 + c; };
            QLabel* barra = L(f, r < 4 ? QString(Barras[r]) : QString("Label%1").arg(numero(4)));
            if (!barra)
                return filas;
            QStringList partes;
            for (int c = 0; c < 4; ++c)
                partes << L(f, QString("Label%1").arg(numero(c)))->text();
            if (!barra->text().isEmpty())
                partes << barra->text();
            partes << Color(barra->palette().color(QPalette::Window));
            filas << partes.join(" ").trimmed();
        }
    }
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void init() {
        ajustes = MemorySettingsStore();
        avisos = ScriptedPrompts();
        estado = General::EstadoPrograma();
        estado.TipoLlamada = "Metropolitana";
    }
    void cleanup() { QVERIFY2(avisos.errores.isEmpty(), qPrintable(avisos.errores.join("; "))); }

    // A tab click or another call type redraws the rows.
    // Two tables cover every band colour and empty rows.
    void filas_data() {
        QTest::addColumn<QString>("plan"); // a plan file loaded beside the built-in tariff
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("pestana");
        QTest::addColumn<QStringList>("filas");
        QTest::addColumn<QString>("pie"); // Label25
        const QString v = "blanca", segundos = QString::fromUtf8("Facturación por segundos.");
        QTest::newRow("Interprovincial Laborales")
            << ""
            << "Interprovincial" << 1
            << QStringList{"00:00 07:59 15 pts 10,44 pts reducida",
                           "08:00 16:59 15 pts 39,45 pts punta",
                           "17:00 21:59 15 pts 25,01 pts normal",
                           "22:00 24:00 15 pts 10,44 pts reducida"}
            << segundos;
        QTest::newRow("Provincial Festivos")
            << ""
            << "Provincial" << 3 << QStringList{"00:00 24:00 15 pts 6,71 pts reducida", v, v, v}
            << segundos;
        const QString dia = "laborales = [\"00:00:00-23:59:59 punta\"]\n"
                            "sabados = [\"00:00:00-23:59:59 punta\"]\n"
                            "festivos = [\"00:00:00-23:59:59 punta\"]\n";
        // Amounts whole, in fixed notation.
        QTest::newRow("importes largos y diminutos")
            << "nombre = \"P\"\n[[tipo]]\nnombre = \"Largo\"\nestablecimiento = 123456.789\n"
               "pasos = [60, 60]\nfranjas = { punta = 0.0001 }\n" +
                   dia
            << "Largo" << 1 << QStringList{"00:00 24:00 123456,789 pts 0,0001 pts punta", v, v, v}
            << QString::fromUtf8("Facturación por pasos de 60 y 60 segundos.");
        QTest::newRow("euros e incluidos")
            << "nombre = \"P\"\nmoneda = \"euros\"\n[[tipo]]\nnombre = \"Euro\"\n"
               "establecimiento = 0.06\nincluidos = 90\nminimo = 0.09\nfranjas = { punta = 0.06 "
               "}\n" +
                   dia
            << "Euro" << 3
            << QStringList{QString::fromUtf8("00:00 24:00 9,9832 pts (0,06 €) 9,9832 pts (0,06 €) "
                                             "punta"),
                           v, v, v}
            << QString::fromUtf8("Facturación por segundos; el establecimiento incluye 90 "
                                 "segundos. Mínimo 14,9747 pts (0,09 €).");
        // 30 ranges of 48 minutes: 23 rows and one saying that 7 more follow.
        QString tramos;
        QStringList muchas;
        for (int t = 0; t < 30; ++t) {
            const QTime desde = QTime(0, 0).addSecs(t * 2880), hasta = desde.addSecs(2879);
            tramos += QString("\"%1-%2 punta\",")
                          .arg(desde.toString("HH:mm:ss"), hasta.toString("HH:mm:ss"));
            if (t < 23)
                muchas << QString("%1 %2 0 pts 1 pts punta")
                              .arg(desde.toString("HH:mm"),
                                   t == 29 ? QString("24:00") : hasta.toString("HH:mm"));
        }
        muchas << QString::fromUtf8("… y 7 tramos más blanca");
        QTest::newRow("muchos tramos")
            << "nombre = \"P\"\n[[tipo]]\nnombre = \"Tramos\"\nfranjas = { punta = 1 }\n"
               "laborales = [" +
                   tramos + "]\n" + dia.mid(dia.indexOf("sabados"))
            << "Tramos" << 1 << muchas << segundos;
    }
    void filas() {
        QFETCH(QString, plan);
        QFETCH(QString, tipo);
        QFETCH(int, pestana);
        QFETCH(QStringList, filas);
        QFETCH(QString, pie);
        if (!plan.isEmpty()) {
            Tarifas::LecturaPlan r =
                Tarifas::LeerPlan(plan.toStdString(), "p.toml", estado.catalogo);
            QVERIFY2(r.plan, r.error.Texto().c_str());
            estado.catalogo.planes.push_back(*r.plan);
        }
        ajustes.write("VatriMox", "Tarifas", "Tarifa", "Metropolitana");
        Form8 f(servicios, estado);
        QTest::mouseClick(f.findChild<QAbstractButton*>(QString("Pestana%1").arg(pestana)),
                          Qt::LeftButton);
        Combo(f)->setCurrentText(tipo);
        QCOMPARE(Filas(f), filas);
        QCOMPARE(L(f, "Label25")->text(), pie);
        for (QLabel* l : f.findChildren<QLabel*>()) // every text whole
            QVERIFY2(l->wordWrap() || l->sizeHint().width() <= l->width(), qPrintable(l->text()));
        // A coloured row says its band in words; its texts are black on the light colours.
        for (int r = 0; r < 4; ++r) {
            QLabel* barra = L(f, Barras[r]);
            const QString color = Color(barra->palette().color(QPalette::Window));
            QCOMPARE(barra->accessibleDescription().isEmpty(), color == "blanca");
            if (color == "punta" || color == "normal")
                QCOMPARE(barra->accessibleDescription(), "Horario " + color);
            QCOMPARE(
                L(f, QString("Label%1").arg(Textos[r][0]))->palette().color(QPalette::WindowText),
                QColor(Qt::black));
        }
        QVERIFY(!Combo(f)->accessibleName().isEmpty());
        // The tabs are buttons: Space on the next one shows its table.
        const int siguiente = pestana % 3 + 1;
        auto* boton = f.findChild<QAbstractButton*>(QString("Pestana%1").arg(siguiente));
        QCOMPARE(boton->accessibleName(), L(f, QString("Label%1").arg(siguiente))->text());
        QTest::keyClick(boton, Qt::Key_Space);
        QVERIFY(boton->isChecked());
        QCOMPARE(L(f, QString("Label%1").arg(siguiente))->palette().color(QPalette::Window),
                 Form8::ColorPestanaMostrada());
    }

    void aceptarGuardaElTipo() {
        Form8 f(servicios, estado);
        Combo(f)->setCurrentText("Interprovincial");
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(estado.TipoLlamada, std::string("Interprovincial"));
        QCOMPARE(ajustes.escrituras, QStringList{"Tarifas/Tarifa=Interprovincial"});
    }

    void tipoGuardadoDesconocido_data() {
        QTest::addColumn<QString>("guardado");
        QTest::newRow("vacío") << "";
        QTest::newRow("en minúsculas") << "provincial";
    }
    void tipoGuardadoDesconocido() {
        QFETCH(QString, guardado);
        ajustes.write("VatriMox", "Tarifas", "Tarifa", guardado.toStdString());
        ajustes.escrituras.clear();
        Form8 f(servicios, estado);
        QCOMPARE(Combo(f)->currentIndex(), -1);
        QCOMPARE(Filas(f), QStringList(4, "blanca"));
        f.Command1_Click();
        QCOMPARE(estado.TipoLlamada, std::string("Metropolitana"));
        QVERIFY(ajustes.escrituras.isEmpty());
    }

    void cerrarPorElMarcoNoCambiaNada() {
        Form8 f(servicios, estado);
        f.show();
        Combo(f)->setCurrentText("Provincial");
        f.close();
        QCOMPARE(estado.TipoLlamada, std::string("Metropolitana"));
        QVERIFY(ajustes.escrituras.isEmpty());
    }
};

QTEST_MAIN(TestVisor)
#include "TestVisor.moc"

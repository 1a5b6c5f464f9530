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
    for (auto [rgb, nombre] : {std::pair{0xc0ffc0u, "reducida"},
                               {0xffffc0u, "normal"},
                               {0xffc0c0u, "punta"},
                               {0xffffffu, "blanca"}})
        if (c == QColor(QRgb(rgb)))
            return nombre;
    return c.name();
}
} // namespace

class TestVisor : public QObject, ServiciosFalsos {
    Q_OBJECT

    General::EstadoPrograma estado;

    static QLabel* L(Form8& f, const QString& nombre) { return f.findChild<QLabel*>(nombre); }
    static QComboBox* Combo(Form8& f) { return f.findChild<QComboBox*>("Combo1"); }

    // Every row as "start end set-up price [bar text] band"; an empty one as its white bar.
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

    // A tab click or another call type redraws the rows; every band colour and empty rows.
    void filas_data() {
        QTest::addColumn<QString>("plan"); // a plan file loaded beside the built-in tariff
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("pestana");
        QTest::addColumn<QString>("filas"); // separated by '|'
        QTest::addColumn<QString>("pie");   // Label25
        const QString v = "|blanca|blanca|blanca", segundos = "Facturación por segundos.";
        // A call type `tipo` of plan "P", in band punta all day.
        const auto plan = [](const QString& tipo, const QString& claves,
                             const QString& laborales = "\"00:00:00-23:59:59 punta\"") {
            return "nombre = \"P\"\n" + claves + "[[tipo]]\nnombre = \"" + tipo + "\"\n" +
                   "laborales = [" + laborales + "]\nsabados = [\"00:00:00-23:59:59 punta\"]\n" +
                   "festivos = [\"00:00:00-23:59:59 punta\"]\n";
        };
        QTest::newRow("Interprovincial Laborales")
            << ""
            << "Interprovincial" << 1
            << "00:00 07:59 15 pts 10,44 pts reducida|08:00 16:59 15 pts 39,45 pts punta|"
               "17:00 21:59 15 pts 25,01 pts normal|22:00 24:00 15 pts 10,44 pts reducida"
            << segundos;
        QTest::newRow("Provincial Festivos")
            << ""
            << "Provincial" << 3 << "00:00 24:00 15 pts 6,71 pts reducida" + v << segundos;
        // Amounts whole, in fixed notation.
        QTest::newRow("importes largos y diminutos")
            << plan("Largo", "") + "establecimiento = 123456.789\npasos = [60, 60]\n"
                                   "franjas = { punta = 0.0001 }\n"
            << "Largo" << 1 << "00:00 24:00 123456,789 pts 0,0001 pts punta" + v
            << "Facturación por pasos de 60 y 60 segundos.";
        QTest::newRow("euros e incluidos")
            << plan("Euro", "moneda = \"euros\"\n") +
                   "establecimiento = 0.06\nincluidos = 90\nminimo = 0.09\nfranjas = { punta = "
                   "0.06 }\n"
            << "Euro" << 3 << "00:00 24:00 9,9832 pts (0,06 €) 9,9832 pts (0,06 €) punta" + v
            << "Facturación por segundos; el establecimiento incluye 90 segundos. Mínimo 14,9747 "
               "pts (0,09 €).";
        // 30 ranges of 48 minutes: 23 rows and one saying that 7 more follow.
        QStringList tramos, muchas;
        for (int t = 0; t < 30; ++t) {
            const QTime desde = QTime(0, 0).addSecs(t * 2880), hasta = desde.addSecs(2879);
            tramos << QString("\"%1-%2 punta\"")
                          .arg(desde.toString("HH:mm:ss"), hasta.toString("HH:mm:ss"));
            if (t < 23)
                muchas << desde.toString("HH:mm ") + hasta.toString("HH:mm") + " 0 pts 1 pts punta";
        }
        QTest::newRow("muchos tramos")
            << plan("Tramos", "", tramos.join(',')) + "franjas = { punta = 1 }\n"
            << "Tramos" << 1 << muchas.join('|') + "|… y 7 tramos más blanca" << segundos;
    }
    void filas() {
        QFETCH(QString, plan);
        QFETCH(QString, tipo);
        QFETCH(int, pestana);
        QFETCH(QString, filas);
        QFETCH(QString, pie);
        if (!plan.isEmpty()) {
            Tarifas::LecturaPlan r =
                Tarifas::LeerPlan(plan.toStdString(), "p.toml", estado.catalogo);
            QVERIFY2(r.plan, r.error.Texto().c_str());
            estado.catalogo.planes.push_back(*r.plan);
        }
        Form8 f(servicios, estado);
        QTest::mouseClick(f.findChild<QAbstractButton*>(QString("Pestana%1").arg(pestana)),
                          Qt::LeftButton);
        Combo(f)->setCurrentText(tipo);
        QCOMPARE(Filas(f), filas.split('|'));
        QCOMPARE(L(f, "Label25")->text(), pie);
        for (QLabel* l : f.findChildren<QLabel*>()) // every text whole
            QVERIFY2(l->wordWrap() || l->sizeHint().width() <= l->width(), qPrintable(l->text()));
        for (const char* b : Barras) { // a coloured row says its band in words
            const QString color = Color(L(f, b)->palette().color(QPalette::Window));
            QCOMPARE(L(f, b)->accessibleDescription(),
                     color == "blanca" ? "" : "Horario " + QString(color).replace("ida", "ido"));
        }
        // The tabs are buttons: Space on the next one shows its table.
        const int siguiente = pestana % 3 + 1;
        auto* boton = f.findChild<QAbstractButton*>(QString("Pestana%1").arg(siguiente));
        QCOMPARE(boton->accessibleName(), L(f, QString("Label%1").arg(siguiente))->text());
        QTest::keyClick(boton, Qt::Key_Space);
        QVERIFY(boton->isChecked());
        QCOMPARE(L(f, QString("Label%1").arg(siguiente))->palette().color(QPalette::Window),
                 Form8::ColorPestanaMostrada());
    }

    // The chosen call type is kept only on OK; a stored type that is not one selects none.
    void eleccion_data() {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<bool>("aceptar"); // else closed by the frame
        QTest::addColumn<QString>("tipo"); // then in force
        QTest::newRow("aceptar") << "Metropolitana" << true << "Interprovincial";
        QTest::newRow("cerrar por el marco") << "Metropolitana" << false << "Metropolitana";
        QTest::newRow("guardado vacio") << "" << true << "Metropolitana";
        QTest::newRow("guardado en minusculas") << "provincial" << true << "Metropolitana";
    }
    void eleccion() {
        QFETCH(QString, guardado);
        QFETCH(bool, aceptar);
        QFETCH(QString, tipo);
        ajustes.write("VatriMox", "Tarifas", "Tarifa", guardado.toStdString());
        ajustes.escrituras.clear();
        Form8 f(servicios, estado);
        f.show();
        if (guardado != "Metropolitana") {
            QCOMPARE(Combo(f)->currentIndex(), -1);
            QCOMPARE(Filas(f), QStringList(4, "blanca"));
        } else {
            Combo(f)->setCurrentText("Interprovincial");
        }
        if (aceptar)
            QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        else
            f.close();
        QCOMPARE(f.result(), int(aceptar ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(QString::fromStdString(estado.TipoLlamada), tipo);
        QCOMPARE(ajustes.escrituras,
                 tipo == "Metropolitana" ? QStringList() : QStringList{"Tarifas/Tarifa=" + tipo});
    }
};

QTEST_MAIN(TestVisor)
#include "TestVisor.moc"

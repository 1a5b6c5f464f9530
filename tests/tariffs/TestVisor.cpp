// Tests of the tariff viewer Form8: rows of each tab and call type, and choosing the call type.
#include "platform/Servicios.h"
#include "settings/Ajustes.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "ui/tariffs/VisorTarifas.h"

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

    // Each row as "start end set-up price band"; an empty row shows only its white bar.
    static QStringList Filas(Form8& f) {
        QStringList filas;
        for (int r = 0; r < 4; ++r) {
            QStringList partes;
            for (int c = 0; c < 4; ++c)
                partes << L(f, QString("Label%1").arg(Textos[r][c]))->text();
            partes << Color(L(f, Barras[r])->palette().color(QPalette::Window));
            filas << partes.join(" ").trimmed();
        }
        return filas;
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
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("pestana");
        QTest::addColumn<QStringList>("filas");
        const QString v = "blanca";
        QTest::newRow("Interprovincial Laborales")
            << "Interprovincial" << 1
            << QStringList{
                   "00:00 07:59 15 pts 10,44 pts reducida", "08:00 16:59 15 pts 39,45 pts punta",
                   "17:00 21:59 15 pts 25,01 pts normal", "22:00 24:00 15 pts 10,44 pts reducida"};
        QTest::newRow("Provincial Festivos")
            << "Provincial" << 3 << QStringList{"00:00 24:00 15 pts 6,71 pts reducida", v, v, v};
    }
    void filas() {
        QFETCH(QString, tipo);
        QFETCH(int, pestana);
        QFETCH(QStringList, filas);
        ajustes.write("VatriMox", "Tarifas", "Tarifa", "Metropolitana");
        Form8 f(servicios, estado);
        QTest::mouseClick(L(f, QString("Label%1").arg(pestana)), Qt::LeftButton);
        Combo(f)->setCurrentText(tipo);
        QCOMPARE(Filas(f), filas);
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

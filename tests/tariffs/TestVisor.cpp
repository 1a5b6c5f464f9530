// Tests of the tariff viewer Form8: rows of every call type and day type, tabs and the call type.
#include "app/Ajustes.h"
#include "platform/Servicios.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "tariffs/VisorTarifas.h"

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

class TestVisor : public QObject {
    Q_OBJECT

    FakeClock reloj;
    MemorySettingsStore ajustes;
    ScriptedPrompts avisos;
    FakeSound sonido;
    FakeProbe conexion;
    FakeAutostart autoinicio;
    Servicios servicios{reloj, ajustes, avisos, sonido, conexion, autoinicio, {}};
    General::EstadoPrograma estado;

    static QLabel* L(Form8& f, const QString& nombre) { return f.findChild<QLabel*>(nombre); }

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
    static int PestanaMostrada(Form8& f) {
        int mostrada = 0;
        for (int i = 1; i <= 3; ++i) {
            const QColor c = L(f, QString("Label%1").arg(i))->palette().color(QPalette::Window);
            if (c == QColor(247, 242, 153))
                mostrada = mostrada ? -1 : i;
            else if (c != QColor(192, 192, 192))
                return -2;
        }
        return mostrada;
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

    void filas_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("pestana");
        QTest::addColumn<QStringList>("filas");
        const QString v = "blanca";
        QTest::newRow("Metropolitana Laborales")
            << "Metropolitana" << 1
            << QStringList{"00:00 07:59 11,4 pts 1,64 pts reducida",
                           "08:00 21:59 11,4 pts 4,52 pts punta",
                           "22:00 24:00 11,4 pts 1,64 pts reducida", v};
        QTest::newRow("Provincial Laborales")
            << "Provincial" << 1
            << QStringList{
                   "00:00 07:59 15 pts 6,71 pts reducida", "08:00 16:59 15 pts 15,45 pts punta",
                   "17:00 21:59 15 pts 13,4 pts normal", "22:00 24:00 15 pts 6,71 pts reducida"};
        QTest::newRow("Interprovincial Laborales")
            << "Interprovincial" << 1
            << QStringList{
                   "00:00 07:59 15 pts 10,44 pts reducida", "08:00 16:59 15 pts 39,45 pts punta",
                   "17:00 21:59 15 pts 25,01 pts normal", "22:00 24:00 15 pts 10,44 pts reducida"};
        QTest::newRow("Metropolitana Sábados")
            << "Metropolitana" << 2
            << QStringList{"00:00 07:59 11,4 pts 1,64 pts reducida",
                           "08:00 13:59 11,4 pts 4,52 pts punta",
                           "14:00 24:00 11,4 pts 1,64 pts reducida", v};
        QTest::newRow("Provincial Sábados")
            << "Provincial" << 2
            << QStringList{"00:00 07:59 15 pts 6,71 pts reducida",
                           "08:00 13:59 15 pts 15,45 pts punta",
                           "14:00 24:00 15 pts 6,71 pts reducida", v};
        QTest::newRow("Interprovincial Sábados")
            << "Interprovincial" << 2
            << QStringList{"00:00 07:59 15 pts 10,44 pts reducida",
                           "08:00 13:59 15 pts 39,45 pts punta",
                           "14:00 24:00 15 pts 10,44 pts reducida", v};
        QTest::newRow("Metropolitana Festivos")
            << "Metropolitana" << 3
            << QStringList{"00:00 24:00 11,4 pts 1,64 pts reducida", v, v, v};
        QTest::newRow("Provincial Festivos")
            << "Provincial" << 3 << QStringList{"00:00 24:00 15 pts 6,71 pts reducida", v, v, v};
        QTest::newRow("Interprovincial Festivos")
            << "Interprovincial" << 3
            << QStringList{"00:00 24:00 15 pts 10,44 pts reducida", v, v, v};
    }
    void filas() {
        QFETCH(QString, tipo);
        QFETCH(int, pestana);
        QFETCH(QStringList, filas);
        ajustes.write("VatriMox", "Tarifas", "Tarifa", tipo.toStdString());
        Form8 f(servicios, estado);
        QCOMPARE(PestanaMostrada(f), 1);
        QTest::mouseClick(L(f, QString("Label%1").arg(pestana)), Qt::LeftButton);
        QCOMPARE(PestanaMostrada(f), pestana);
        QCOMPARE(Filas(f), filas);
    }

    void textosFijos() {
        Form8 f(servicios, estado);
        QCOMPARE(f.windowTitle(), QString("Tarifas"));
        QCOMPARE(f.findChild<QPushButton*>("Command1")->text(), QString("&Aceptar"));
        QCOMPARE(L(f, "Label25")->text(), QString("Facturación por segundos."));
        const QStringList esperados{"Label10", "Inicio",    "Inicio del periodo",
                                    "Label9",  "Final",     "Fin del periodo",
                                    "Label11", "Coste Ini", "Coste Inicial",
                                    "Label12", "Coste Min", "Coste cada minuto"};
        for (int i = 0; i < esperados.size(); i += 3) {
            QCOMPARE(L(f, esperados[i])->text(), esperados[i + 1]);
            QCOMPARE(L(f, esperados[i])->toolTip(), esperados[i + 2]);
        }
        auto* combo = f.findChild<QComboBox*>("Combo1");
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(2), QString("Interprovincial"));
    }

    void cambioDeTipoRefrescaLaPestanaMostrada() {
        ajustes.write("VatriMox", "Tarifas", "Tarifa", "Metropolitana");
        Form8 f(servicios, estado);
        f.Label2_Click();
        f.findChild<QComboBox*>("Combo1")->setCurrentText("Provincial");
        QCOMPARE(PestanaMostrada(f), 2);
        QCOMPARE(Filas(f).at(1), QString("08:00 13:59 15 pts 15,45 pts punta"));
        f.Label3_Click();
        f.findChild<QComboBox*>("Combo1")->setCurrentText("Interprovincial");
        QCOMPARE(PestanaMostrada(f), 3);
        QCOMPARE(Filas(f).at(0), QString("00:00 24:00 15 pts 10,44 pts reducida"));
    }

    void aceptarGuardaElTipo() {
        Form8 f(servicios, estado);
        f.findChild<QComboBox*>("Combo1")->setCurrentText("Interprovincial");
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
        QCOMPARE(f.findChild<QComboBox*>("Combo1")->currentIndex(), -1);
        QCOMPARE(Filas(f), QStringList(4, "blanca"));
        f.Command1_Click();
        QCOMPARE(estado.TipoLlamada, std::string("Metropolitana"));
        QVERIFY(ajustes.escrituras.isEmpty());
    }

    void cerrarPorElMarcoNoCambiaNada() {
        Form8 f(servicios, estado);
        f.show();
        f.findChild<QComboBox*>("Combo1")->setCurrentText("Provincial");
        f.close();
        QCOMPARE(estado.TipoLlamada, std::string("Metropolitana"));
        QVERIFY(ajustes.escrituras.isEmpty());
    }
};

QTEST_MAIN(TestVisor)
#include "TestVisor.moc"

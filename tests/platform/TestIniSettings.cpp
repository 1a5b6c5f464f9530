// INI settings store: text round trips, case-insensitive names, sibling files, failures.
#include "app/Ajustes.h"
#include "platform/IniSettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestIniSettings : public QObject {
    Q_OBJECT
private slots:
    void valores_data() {
        QTest::addColumn<QString>("valor");
        QTest::newRow("coma y espacio") << "a, b";
        QTest::newRow("coma") << "a,b";
        QTest::newRow("comillas") << "\"q\" y \"r\"";
        QTest::newRow("espacios delante y detras") << "  Mini Icono  ";
        QTest::newRow("vacio") << "";
        QTest::newRow("arroba") << "@Variant(x)";
        QTest::newRow("acentos") << "Ñandú €";
        QTest::newRow("igual y punto y coma") << "x=y;z";
        QTest::newRow("ruta windows") << "C:\\Sonidos\\fin.wav";
        QTest::newRow("corchetes y almohadilla") << "[Opciones] #1";
        QTest::newRow("salto de linea") << "uno\r\ndos";
    }
    // What is written reads back as the same text, also through a new store on the same file.
    void valores() {
        QFETCH(QString, valor);
        QTemporaryDir dir;
        const QString ini = dir.filePath("VatriMox.ini");
        const std::string v = valor.toStdString();
        {
            IniSettingsStore s(ini);
            QVERIFY(s.write("VatriMox", "Sonidos", "FinalSonido", v));
            QCOMPARE(s.read("VatriMox", "Sonidos", "FinalSonido"), v);
        }
        IniSettingsStore otra(ini);
        QCOMPARE(otra.read("vatrimox", "sonidos", "finalsonido"), v);
    }

    void mayusculas_data() {
        QTest::addColumn<QString>("aplicacion");
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::newRow("igual") << "VatriMox"
                               << "Opciones"
                               << "AlAbrir";
        QTest::newRow("lectura de arranque") << "Vatrimox"
                                             << "Opciones"
                                             << "AlAbrir";
        QTest::newRow("todo mayusculas") << "VATRIMOX"
                                         << "OPCIONES"
                                         << "ALABRIR";
        QTest::newRow("todo minusculas") << "vatrimox"
                                         << "opciones"
                                         << "alabrir";
    }
    // Any spelling reaches the same value, and a rewrite keeps the first spelling in the file.
    void mayusculas() {
        QFETCH(QString, aplicacion);
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QTemporaryDir dir;
        const QString ini = dir.filePath("VatriMox.ini");
        IniSettingsStore s(ini);
        QVERIFY(s.write("VatriMox", "Opciones", "AlAbrir", "Normal"));
        const std::string a = aplicacion.toStdString();
        const std::string sec = seccion.toStdString();
        const std::string k = clave.toStdString();
        QCOMPARE(s.read(a, sec, k), std::string("Normal"));
        QVERIFY(s.write(a, sec, k, "Minimizado"));
        QCOMPARE(s.read("VatriMox", "Opciones", "AlAbrir"), std::string("Minimizado"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray texto = f.readAll();
        QCOMPARE(texto.count("[Opciones]"), qsizetype(1));
        QCOMPARE(texto.count("AlAbrir="), qsizetype(1));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"VatriMox.ini"});
    }

    void ausenteYNombresInvalidos() {
        QTemporaryDir dir;
        IniSettingsStore s(dir.filePath("VatriMox.ini"));
        QCOMPARE(s.read("VatriMox", "Opciones", "NoExiste"), std::string());
        QCOMPARE(s.read("VatriMox", "NoExiste", "AlAbrir"), std::string());
        QVERIFY(!s.write("VatriMox", "Opciones/Otra", "AlAbrir", "x"));
        QVERIFY(!s.write("VatriMox", "Opciones", "", "x"));
        QVERIFY(s.write("VatriMox", "General", "Clave", "en General"));
        QCOMPARE(s.read("VatriMox", "general", "clave"), std::string("en General"));
    }

    void otraAplicacion() {
        QTemporaryDir dir;
        IniSettingsStore s(dir.filePath("VatriMox.ini"));
        QVERIFY(s.write("Otra App", "Opciones", "AlAbrir", "Normal"));
        QCOMPARE(s.read("OTRA APP", "Opciones", "AlAbrir"), std::string("Normal"));
        QCOMPARE(s.read("VatriMox", "Opciones", "AlAbrir"), std::string());
        QVERIFY(QFile::exists(dir.filePath("otra_app.ini")));
    }

    // A hand-edited file: unquoted commas and other spellings still read as text.
    void archivoEditadoAMano() {
        QTemporaryDir dir;
        QFile f(dir.filePath("VatriMox.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[opciones]\nfuente=Arial, Negrita\n[DATOS]\nFECHAINICIO=31/01/99\n"
                "FechaFinal=02/03/1999\n");
        f.close();
        IniSettingsStore s(f.fileName());
        QCOMPARE(s.read("VatriMox", "Opciones", "Fuente"), std::string("Arial, Negrita"));
        const auto periodo = General::LeerPeriodo(s);
        QVERIFY(periodo);
        QCOMPARE((periodo->fin - periodo->inicio).count(), 30);
    }

    void escrituraQueFalla() {
        QTemporaryDir dir;
        QFile bloqueo(dir.filePath("no-es-carpeta"));
        QVERIFY(bloqueo.open(QIODevice::WriteOnly));
        bloqueo.close();
        IniSettingsStore s(dir.filePath("no-es-carpeta/VatriMox.ini"));
        QVERIFY(!s.write("VatriMox", "Opciones", "AlAbrir", "Normal"));
        QVERIFY(!QFile::exists(s.archivo()));
    }

    void rutaPorDefecto() {
        QTemporaryDir dir;
        const QByteArray antes = qgetenv("VATRIMOX_HOME");
        qputenv("VATRIMOX_HOME", dir.path().toLocal8Bit());
        IniSettingsStore s;
        QCOMPARE(s.archivo(), dir.path() + "/.config/VatriMox/VatriMox.ini");
        QVERIFY(s.write("VatriMox", "Tarifas", "Tarifa", "Provincial"));
        QVERIFY(QFile::exists(s.archivo()));
        qputenv("VATRIMOX_HOME", antes);
    }
};

QTEST_GUILESS_MAIN(TestIniSettings)
#include "TestIniSettings.moc"

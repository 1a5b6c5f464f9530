// INI settings store: text round trips, case-insensitive names, sibling files, failures.
#include "platform/IniSettingsStore.h"
#include "settings/Ajustes.h"
#include "support/Archivos.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>

class TestIniSettings : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dir;
    QString Ini() const { return dir->filePath("VatriMox.ini"); }

private slots:
    void init() { dir.emplace(); }

    void valores_data() {
        QTest::addColumn<QString>("valor");
        QTest::newRow("coma y espacio") << "a, b";
        QTest::newRow("comillas") << "\"q\" y \"r\"";
        QTest::newRow("espacios delante y detras") << "  Mini Icono  ";
        QTest::newRow("vacio") << "";
        QTest::newRow("arroba") << "@Variant(x)";
        QTest::newRow("salto de linea") << "uno\r\ndos";
    }
    // What is written reads back as the same text, also through a new store on the same file.
    void valores() {
        QFETCH(QString, valor);
        const std::string v = valor.toStdString();
        IniSettingsStore s(Ini());
        QVERIFY(s.write("VatriMox", "Sonidos", "FinalSonido", v));
        QCOMPARE(s.read("VatriMox", "Sonidos", "FinalSonido"), v);
        QCOMPARE(IniSettingsStore(Ini()).read("vatrimox", "sonidos", "finalsonido"), v);
    }

    void mayusculas_data() {
        QTest::addColumn<QString>("nombre"); // application/section/key
        QTest::newRow("lectura de arranque") << "Vatrimox/Opciones/AlAbrir";
        QTest::newRow("todo mayusculas") << "VATRIMOX/OPCIONES/ALABRIR";
    }
    // Any spelling reaches the same value, and a rewrite keeps the first spelling in the file.
    void mayusculas() {
        QFETCH(QString, nombre);
        const QStringList n = nombre.split('/');
        const std::string a = n[0].toStdString(), sec = n[1].toStdString(), k = n[2].toStdString();
        IniSettingsStore s(Ini());
        QVERIFY(s.write("VatriMox", "Opciones", "AlAbrir", "Normal"));
        QCOMPARE(s.read(a, sec, k), std::string("Normal"));
        QVERIFY(s.write(a, sec, k, "Minimizado"));
        QCOMPARE(Contenido(Ini()), "[Opciones]\nAlAbrir=Minimizado\n");
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"VatriMox.ini"});
    }

    // Absent keys read empty, names with '/' or no key are refused, another application has a
    // file of its own.
    void nombres() {
        IniSettingsStore s(Ini());
        QCOMPARE(s.read("VatriMox", "Opciones", "NoExiste"), std::string());
        QVERIFY(!s.write("VatriMox", "Opciones/Otra", "AlAbrir", "x"));
        QVERIFY(!s.write("VatriMox", "Opciones", "", "x"));
        QVERIFY(s.write("VatriMox", "General", "Clave", "en General"));
        QCOMPARE(s.read("VatriMox", "general", "clave"), std::string("en General"));
        QVERIFY(s.write("Otra App", "Opciones", "AlAbrir", "Normal"));
        QCOMPARE(s.read("OTRA APP", "Opciones", "AlAbrir"), std::string("Normal"));
        QCOMPARE(s.read("VatriMox", "Opciones", "AlAbrir"), std::string());
        QVERIFY(QFile::exists(dir->filePath("otra_app.ini")));
    }

    // A hand-edited file: unquoted commas and other spellings still read as text.
    void archivoEditadoAMano() {
        Escribir(Ini(), "[opciones]\nfuente=Arial, Negrita\n[DATOS]\nFECHAINICIO=31/01/99\n"
                        "FechaFinal=02/03/1999\n");
        IniSettingsStore s(Ini());
        QCOMPARE(s.read("VatriMox", "Opciones", "Fuente"), std::string("Arial, Negrita"));
        const auto periodo = General::LeerPeriodo(s);
        QVERIFY(periodo);
        QCOMPARE((periodo->fin - periodo->inicio).count(), 30);
    }

    void archivoConDefectos_data() {
        QTest::addColumn<QByteArray>("texto");
        QTest::newRow("marca de orden de bytes")
            << QByteArray("\xEF\xBB\xBF[Datos]\nFechaInicio=01/03/99\n");
        QTest::newRow("linea sin clave") << QByteArray("[Datos]\nbasura\nFechaInicio=01/03/99\n");
        QTest::newRow("seccion sin cerrar")
            << QByteArray("[Datos]\nFechaInicio=01/03/99\n[Opciones\n");
    }
    // A file that reads with a format error still takes every save; a save that then really
    // fails (the folder replaced by a file, even for root) still says so.
    void archivoConDefectos() {
        QFETCH(QByteArray, texto);
        QVERIFY(QDir(dir->path()).mkdir("cfg"));
        const QString ini = dir->filePath("cfg/VatriMox.ini");
        Escribir(ini, texto);
        IniSettingsStore s(ini);
        QCOMPARE(s.read("VatriMox", "Datos", "FechaInicio"), std::string("01/03/99"));
        QVERIFY(s.write("VatriMox", "Opciones", "AlAbrir", "Normal"));
        QVERIFY(s.write("VatriMox", "Datos", "FechaFinal", "30/04/99"));
        QCOMPARE(IniSettingsStore(ini).read("VatriMox", "datos", "fechafinal"),
                 std::string("30/04/99"));
        QVERIFY(QDir(dir->path()).rename("cfg", "cfg-antes"));
        Escribir(dir->filePath("cfg"), {});
        QVERIFY(!s.write("VatriMox", "Opciones", "AlAbrir", "Minimizado"));
        QVERIFY(!QFile::exists(ini));
    }

    void rutaPorDefecto() {
        IniSettingsStore s;
        QCOMPARE(s.archivo(),
                 qEnvironmentVariable("VATRIMOX_HOME") + "/.config/VatriMox/VatriMox.ini");
    }
};

QTEST_GUILESS_MAIN(TestIniSettings)
#include "TestIniSettings.moc"

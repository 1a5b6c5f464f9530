// INI settings store: text round trips, case-insensitive names, sibling files, failures.
#include "platform/IniSettingsStore.h"
#include "support/Archivos.h"

#include <optional>

class TestIniSettings : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dir;
    QString Ini() const { return dir->filePath("VatriMox.ini"); }

private slots:
    void init() { dir.emplace(); }

    // Text reads back the same, also through a new store and other spellings of the names.
    void valores() {
        for (const std::string v :
             {"a, b", "\"q\" y \"r\"", "  Mini Icono  ", "", "@Variant(x)", "uno\r\ndos"}) {
            IniSettingsStore s(Ini());
            QVERIFY(s.write("VatriMox", "Sonidos", "FinalSonido", v));
            QCOMPARE(IniSettingsStore(Ini()).read("vatrimox", "sonidos", "finalsonido"), v);
        }
    }

    // Any spelling reaches the same value, and a rewrite keeps the first spelling in the file.
    void mayusculas() {
        IniSettingsStore s(Ini());
        QVERIFY(s.write("VatriMox", "Opciones", "AlAbrir", "Normal"));
        QCOMPARE(s.read("VATRIMOX", "OPCIONES", "ALABRIR"), std::string("Normal"));
        QVERIFY(s.write("Vatrimox", "OPCIONES", "ALABRIR", "Minimizado"));
        QCOMPARE(Contenido(Ini()), "[Opciones]\nAlAbrir=Minimizado\n");
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"VatriMox.ini"});
    }

    // Hand-edited files read; bad names refused; each application has its own file, at home.
    void nombres() {
        Escribir(Ini(), "[opciones]\nfuente=Arial, Negrita\n");
        IniSettingsStore s(Ini());
        QCOMPARE(s.read("VatriMox", "Opciones", "Fuente"), "Arial, Negrita");
        QCOMPARE(s.read("VatriMox", "Opciones", "NoExiste"), std::string());
        QVERIFY(!s.write("VatriMox", "Opciones/Otra", "AlAbrir", "x") &&
                !s.write("VatriMox", "Opciones", "", "x"));
        QVERIFY(s.write("VatriMox", "General", "Clave", "en General"));
        QCOMPARE(s.read("VatriMox", "general", "clave"), "en General");
        QVERIFY(s.write("Otra App", "Opciones", "AlAbrir", "Normal"));
        QCOMPARE(s.read("OTRA APP", "Opciones", "AlAbrir"), "Normal");
        QCOMPARE(s.read("VatriMox", "Opciones", "AlAbrir"), std::string());
        QVERIFY(QFile::exists(dir->filePath("otra_app.ini")));
        QCOMPARE(IniSettingsStore().archivo(),
                 qEnvironmentVariable("VATRIMOX_HOME") + "/.config/VatriMox/VatriMox.ini");
    }

    // A file with a format error still takes saves; one that really fails (even for root) says so.
    void archivoConDefectos() {
        for (const QByteArray texto : {"\xEF\xBB\xBF[Datos]\nFechaInicio=01/03/99\n",
                                       "[Datos]\nbasura\nFechaInicio=01/03/99\n",
                                       "[Datos]\nFechaInicio=01/03/99\n[Opciones\n"}) {
            init();
            QVERIFY(QDir(dir->path()).mkdir("cfg"));
            const QString ini = dir->filePath("cfg/VatriMox.ini");
            Escribir(ini, texto);
            IniSettingsStore s(ini);
            QCOMPARE(s.read("VatriMox", "Datos", "FechaInicio"), "01/03/99");
            QVERIFY(s.write("VatriMox", "Opciones", "AlAbrir", "Normal") &&
                    s.write("VatriMox", "Datos", "FechaFinal", "30/04/99"));
            QCOMPARE(IniSettingsStore(ini).read("VATRIMOX", "datos", "fechafinal"), "30/04/99");
            QVERIFY(QDir(dir->path()).rename("cfg", "cfg-antes"));
            Escribir(dir->filePath("cfg"), {});
            QVERIFY(!s.write("VatriMox", "Opciones", "AlAbrir", "Minimizado") &&
                    !QFile::exists(ini));
        }
    }
};

QTEST_GUILESS_MAIN(TestIniSettings)
#include "TestIniSettings.moc"

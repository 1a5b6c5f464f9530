// Tests of the XDG autostart entry: written, removed, quoted, and failures reported.
#include "platform/XdgAutostart.h"
#include "support/Archivos.h"

#include <QTemporaryDir>
#include <QtTest>

class TestAutostart : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // Only its own file is written and removed; a folder that is a file is reported.
    void escribeYBorraSoloLaSuya() {
        const QString carpeta = dir.path() + "/autostart";
        XdgAutostart a(carpeta, "/opt/vatrimox/bin/vatrimox");
        QVERIFY(!a.isEnabled());
        QString error;
        QVERIFY(a.setEnabled(true, &error));
        QVERIFY(a.isEnabled());
        QCOMPARE(Contenido(carpeta + "/vatrimox.desktop"),
                 "[Desktop Entry]\nType=Application\nName=VatriMox\n"
                 "Exec=\"/opt/vatrimox/bin/vatrimox\"\nX-GNOME-Autostart-enabled=true\n");
        Escribir(carpeta + "/otro.desktop", "[Desktop Entry]\n");
        QVERIFY(a.setEnabled(true, &error));
        QVERIFY(a.setEnabled(false, &error));
        QVERIFY(!a.isEnabled());
        QVERIFY(!QFile::exists(a.archivo()));
        QCOMPARE(Contenido(carpeta + "/otro.desktop"), "[Desktop Entry]\n");
        QVERIFY(a.setEnabled(false, &error));

        XdgAutostart fallo(carpeta + "/otro.desktop", "/usr/bin/vatrimox");
        QVERIFY(!fallo.setEnabled(true, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!fallo.isEnabled());
    }

    // The session's entry lies under the home the tests set, and starts this very program.
    void carpetaDeLaSesion() {
        XdgAutostart a;
        QCOMPARE(a.archivo(),
                 qEnvironmentVariable("VATRIMOX_HOME") + "/.config/autostart/vatrimox.desktop");
        QString error;
        QVERIFY(a.setEnabled(true, &error));
        QVERIFY(
            Contenido(a.archivo())
                .contains("\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\"\n"));
        QVERIFY(a.setEnabled(false, &error));
    }

    void exec_data() {
        QTest::addColumn<QString>("programa");
        QTest::addColumn<QString>("valor");
        const auto fila = [](const char* nombre, const char* programa, const char* valor) {
            QTest::newRow(nombre) << QString(programa) << QString(valor);
        };
        fila("simple", "/usr/bin/vatrimox", "\"/usr/bin/vatrimox\"");
        fila("espacio", "/home/a b/vatrimox", "\"/home/a b/vatrimox\"");
        fila("comillas y dólar", "/x/\"$y`", "\"/x/\\\\\"\\\\$y\\\\`\"");
        fila("barra invertida", "/x\\y", "\"/x\\\\\\\\y\"");
        fila("por ciento", "/x/100%", "\"/x/100%%\"");
    }
    void exec() {
        QFETCH(QString, programa);
        QFETCH(QString, valor);
        QCOMPARE(XdgAutostart::ValorExec(programa), valor);
    }

    // Installed, the entry starts what the menu starts; the Exec of another group is not it.
    void execDelMenuInstalado() {
        QVERIFY(QDir().mkpath(dir.path() + "/bin") &&
                QDir().mkpath(dir.path() + "/share/applications"));
        const QString programa = dir.path() + "/bin/vatrimox";
        QCOMPARE(XdgAutostart::ExecInstalado(programa), "\"" + programa + "\"");
        Escribir(
            dir.path() + "/share/applications/vatrimox.desktop",
            "[Desktop Action x]\nExec=otro\n[Desktop Entry]\nName=VatriMox\nExec = vatrimox\n");
        QCOMPARE(XdgAutostart::ExecInstalado(programa), QString("vatrimox"));
    }
};

QTEST_MAIN(TestAutostart)
#include "TestAutostart.moc"

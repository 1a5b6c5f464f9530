// Tests of the XDG autostart entry: written, removed, quoted, and failures reported.
#include "platform/XdgAutostart.h"
#include "support/Archivos.h"

class TestAutostart : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // Only its own file is written and removed, failures told; the session's starts this program.
    void entrada() {
        const QString carpeta = dir.path() + "/autostart";
        XdgAutostart a(carpeta, "/opt/vatrimox/bin/vatrimox");
        QString error;
        QVERIFY(!a.isEnabled() && a.setEnabled(true, &error) && a.isEnabled());
        QCOMPARE(Contenido(carpeta + "/vatrimox.desktop"),
                 "[Desktop Entry]\nType=Application\nName=VatriMox\n"
                 "Exec=\"/opt/vatrimox/bin/vatrimox\"\nX-GNOME-Autostart-enabled=true\n");
        Escribir(carpeta + "/otro.desktop", "[Desktop Entry]\n");
        QVERIFY(a.setEnabled(true, &error) && a.setEnabled(false, &error) && !a.isEnabled());
        QVERIFY(!QFile::exists(a.archivo()) && a.setEnabled(false, &error));
        QCOMPARE(Contenido(carpeta + "/otro.desktop"), "[Desktop Entry]\n");
        XdgAutostart fallo(carpeta + "/otro.desktop", "/usr/bin/vatrimox");
        QVERIFY(!fallo.setEnabled(true, &error) && !error.isEmpty() && !fallo.isEnabled());

        XdgAutostart sesion;
        QVERIFY(sesion.setEnabled(true, &error));
        const QByteArray exec = QCoreApplication::applicationFilePath().toUtf8();
        QVERIFY(
            Contenido(qEnvironmentVariable("VATRIMOX_HOME") + "/.config/autostart/vatrimox.desktop")
                .contains("\nExec=\"" + exec + "\"\n"));
    }

    // Specials escaped twice, '%' doubled; installed, it starts what the menu entry starts.
    void exec() {
        for (const auto& [programa, valor] :
             {std::pair{"/home/a b/vatrimox", "\"/home/a b/vatrimox\""},
              {"/x/\"$y`", "\"/x/\\\\\"\\\\$y\\\\`\""},
              {"/x\\y", "\"/x\\\\\\\\y\""},
              {"/x/100%", "\"/x/100%%\""}})
            QCOMPARE(XdgAutostart::ValorExec(programa), QString(valor));
        const QString programa = dir.path() + "/bin/vatrimox";
        QVERIFY(QDir().mkpath(dir.path() + "/bin") &&
                QDir().mkpath(dir.path() + "/share/applications"));
        QCOMPARE(XdgAutostart::ExecInstalado(programa), "\"" + programa + "\"");
        Escribir(
            dir.path() + "/share/applications/vatrimox.desktop",
            "[Desktop Action x]\nExec=otro\n[Desktop Entry]\nName=VatriMox\nExec = vatrimox\n");
        QCOMPARE(XdgAutostart::ExecInstalado(programa), QString("vatrimox"));
    }
};

QTEST_MAIN(TestAutostart)
#include "TestAutostart.moc"

// Tests of the XDG autostart entry: written, removed, quoted, and failures reported.
#include "platform/Rutas.h"
#include "platform/XdgAutostart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestAutostart : public QObject {
    Q_OBJECT

    static QString Leer(const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static bool Escribir(const QString& ruta, const QByteArray& texto) {
        QFile f(ruta);
        return f.open(QIODevice::WriteOnly) && f.write(texto) == texto.size();
    }

private slots:
    void escribeYBorraSoloLaSuya() {
        QTemporaryDir dir;
        const QString carpeta = dir.path() + "/autostart";
        XdgAutostart a(carpeta, "/opt/vatrimox/bin/vatrimox");
        QVERIFY(!a.isEnabled());
        QString error;
        QVERIFY(a.setEnabled(true, &error));
        QVERIFY(a.isEnabled());
        QCOMPARE(a.archivo(), carpeta + "/vatrimox.desktop");
        QCOMPARE(Leer(a.archivo()), QString("[Desktop Entry]\n"
                                            "Type=Application\n"
                                            "Name=VatriMox\n"
                                            "Exec=\"/opt/vatrimox/bin/vatrimox\"\n"
                                            "X-GNOME-Autostart-enabled=true\n"));
        QVERIFY(Escribir(carpeta + "/otro.desktop", "[Desktop Entry]\n"));

        QVERIFY(a.setEnabled(true, &error));
        QVERIFY(a.setEnabled(false, &error));
        QVERIFY(!a.isEnabled());
        QVERIFY(!QFile::exists(a.archivo()));
        QCOMPARE(Leer(carpeta + "/otro.desktop"), QString("[Desktop Entry]\n"));
        QVERIFY(a.setEnabled(false, &error));
    }

    void carpetaDeLaSesion() {
        XdgAutostart a;
        QCOMPARE(a.archivo(), Rutas::CarpetaAutostart() + "/vatrimox.desktop");
        QVERIFY(a.archivo().startsWith(qEnvironmentVariable("VATRIMOX_HOME")));
        QString error;
        QVERIFY(a.setEnabled(true, &error));
        QVERIFY(Leer(a.archivo())
                    .contains(
                        "Exec=" + XdgAutostart::ValorExec(QCoreApplication::applicationFilePath()) +
                        "\n"));
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
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.path() + "/bin") &&
                QDir().mkpath(dir.path() + "/share/applications"));
        const QString programa = dir.path() + "/bin/vatrimox";
        QCOMPARE(XdgAutostart::ExecInstalado(programa), XdgAutostart::ValorExec(programa));
        QVERIFY(Escribir(dir.path() + "/share/applications/vatrimox.desktop",
                         "[Desktop Action x]\nExec=otro\n[Desktop Entry]\nName=VatriMox\n"
                         "Exec = vatrimox\n"));
        QCOMPARE(XdgAutostart::ExecInstalado(programa), QString("vatrimox"));
    }

    void fallosSeInforman() {
        QTemporaryDir dir;
        QVERIFY(Escribir(dir.path() + "/fichero", {}));
        XdgAutostart a(dir.path() + "/fichero", "/usr/bin/vatrimox");
        QString error;
        QVERIFY(!a.setEnabled(true, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!a.isEnabled());
    }
};

QTEST_MAIN(TestAutostart)
#include "TestAutostart.moc"

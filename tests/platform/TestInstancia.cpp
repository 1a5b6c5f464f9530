// Tests of InstanciaUnica; later starts are this test binary run again with "--instancia".
#include "platform/InstanciaUnica.h"

#include <QtTest>

using Resultado = InstanciaUnica::Resultado;

class TestInstancia : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString Carpeta(const char* n) { return QDir(dir_.path()).mkpath(n), dir_.filePath(n); }
    // A later start on `carpeta`; it prints "listo" when it became the first.
    static void Lanzar(QProcess& p, const QString& carpeta, int esperaMs = 5000) {
        p.start(QCoreApplication::applicationFilePath(),
                {"--instancia", carpeta, QString::number(esperaMs)});
        QVERIFY(p.waitForStarted());
    }

private slots:
    // A killed holder's lock is taken over; later starts wake the first or give up; b runs apart.
    void segundaInstancia() {
        const QString a = Carpeta("a");
        QProcess p;
        Lanzar(p, a);
        QVERIFY(p.waitForReadyRead() && p.readAll() == "listo\n");
        p.kill();
        QVERIFY(p.waitForFinished());
        InstanciaUnica primera(a);
        QCOMPARE(primera.Iniciar(), Resultado::Primera);
        QSignalSpy mostrar(&primera, &InstanciaUnica::mostrar);
        Lanzar(p, a);
        QTRY_COMPARE(p.state(), QProcess::NotRunning);
        QVERIFY(p.exitCode() == int(Resultado::Avisada) && mostrar.count() == 1);
        Lanzar(p, a, 300); // this process runs no event loop meanwhile: no answer
        QVERIFY(p.waitForFinished() && p.exitCode() == int(Resultado::SinRespuesta));
        Lanzar(p, Carpeta("b"));
        QVERIFY(p.waitForReadyRead() && p.readAll() == "listo\n");
        p.kill();
        QVERIFY(p.waitForFinished());
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--instancia") {
        InstanciaUnica instancia(QString::fromLocal8Bit(argv[2]));
        const Resultado r = instancia.Iniciar(QByteArray(argv[3]).toInt());
        if (r != Resultado::Primera)
            return int(r);
        QTextStream(stdout) << "listo\n" << Qt::flush;
        return QCoreApplication::exec();
    }
    TestInstancia prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "TestInstancia.moc"

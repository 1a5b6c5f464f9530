// Tests of InstanciaUnica; later starts are this test binary run again with "--instancia".
#include "platform/InstanciaUnica.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

using Resultado = InstanciaUnica::Resultado;

class TestInstancia : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString Carpeta(const char* nombre) {
        const QString c = dir_.path() + "/" + nombre;
        QDir().mkpath(c);
        return c;
    }
    // A later start on `carpeta`; it prints "listo" when it became the first.
    static void Lanzar(QProcess& p, const QString& carpeta, int esperaMs = 5000) {
        p.start(QCoreApplication::applicationFilePath(),
                {"--instancia", carpeta, QString::number(esperaMs)});
        QVERIFY(p.waitForStarted());
    }

private slots:
    // A holder killed leaves its lock and socket behind: the next start takes over. Later starts
    // ask it to show itself, or give up when it does not answer; another folder runs alongside.
    void segundaInstancia() {
        const QString a = Carpeta("a");
        QProcess caida;
        Lanzar(caida, a);
        QVERIFY(caida.waitForReadyRead());
        caida.kill();
        caida.waitForFinished();
        InstanciaUnica primera(a);
        QCOMPARE(primera.Iniciar(), Resultado::Primera);
        QSignalSpy mostrar(&primera, &InstanciaUnica::mostrar);

        QProcess segunda;
        Lanzar(segunda, a);
        QTRY_COMPARE(segunda.state(), QProcess::NotRunning);
        QCOMPARE(segunda.exitCode(), int(Resultado::Avisada));
        QCOMPARE(mostrar.count(), 1);

        Lanzar(segunda, a, 300); // this process runs no event loop meanwhile: no answer
        QVERIFY(segunda.waitForFinished());
        QCOMPARE(segunda.exitCode(), int(Resultado::SinRespuesta));

        QProcess otra;
        Lanzar(otra, Carpeta("b"));
        QVERIFY(otra.waitForReadyRead());
        QCOMPARE(otra.readAll(), QByteArray("listo\n"));
        otra.kill();
        otra.waitForFinished();
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--instancia") {
        InstanciaUnica instancia(QString::fromLocal8Bit(argv[2]));
        const Resultado r = instancia.Iniciar(QByteArray(argv[3]).toInt());
        if (r != Resultado::Primera)
            return int(r);
        std::puts("listo");
        std::fflush(stdout);
        return QCoreApplication::exec();
    }
    TestInstancia prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "TestInstancia.moc"

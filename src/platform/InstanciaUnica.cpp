// InstanciaUnica on QLockFile (stale once its holder is gone) and QLocalServer/QLocalSocket.
#include "platform/InstanciaUnica.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr char Peticion[] = "show\n";
constexpr char Respuesta[] = "ok\n";
constexpr char NombreBloqueo[] = "/VatriMox.lock";

// Two data folders give two names, so two VATRIMOX_HOME trees run side by side. The socket
// goes into the user's own runtime folder where there is one (Qt's temporary folder otherwise).
QString NombreServidor(const QString& carpeta) {
    const QString ruta = QDir(carpeta).canonicalPath();
    const QByteArray huella = QCryptographicHash::hash((ruta.isEmpty() ? carpeta : ruta).toUtf8(),
                                                       QCryptographicHash::Sha1)
                                  .toHex()
                                  .left(16);
    const QString nombre = "VatriMox-" + QString::fromLatin1(huella);
    const QString privada = qEnvironmentVariable("XDG_RUNTIME_DIR");
    // A socket path holds at most 107 bytes.
    if (!privada.isEmpty() && QFileInfo(privada).isDir() &&
        (privada + "/" + nombre).toLocal8Bit().size() < 100)
        return privada + "/" + nombre;
    return nombre;
}

// Its holder keeps a native lock on the file while it runs; a file whose lock is free was left
// by a crash, even where it cannot be removed. Asked twice: a holder that has just made the file
// locks it right after.
bool Abandonado(const QString& ruta) {
    for (int vez = 0; vez < 2; ++vez) {
        if (vez > 0)
            QThread::msleep(100);
        const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool libre = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        if (!libre)
            return false;
    }
    return true;
}
} // namespace

InstanciaUnica::InstanciaUnica(const QString& carpetaDatos, QObject* padre)
    : QObject(padre), carpeta_(carpetaDatos), bloqueo_(carpetaDatos + NombreBloqueo),
      nombre_(NombreServidor(carpetaDatos)) {
    // A lock is stale only when its process is gone, never because of its age (where the
    // file system has no native locks, age would be the only test).
    bloqueo_.setStaleLockTime(0);
}

InstanciaUnica::~InstanciaUnica() = default;

InstanciaUnica::Resultado InstanciaUnica::Iniciar(int esperaMs) {
    if (bloqueo_.tryLock(0)) {
        Escuchar();
        return Resultado::Primera;
    }
    // A folder where no lock can be made or a stale one removed (read-only) must not stop the
    // program: unless another process already answers, this one runs and answers later starts.
    const bool ocupada =
        bloqueo_.error() == QLockFile::LockFailedError && !Abandonado(carpeta_ + NombreBloqueo);
    if (Avisar(esperaMs, ocupada))
        return Resultado::Avisada;
    if (!ocupada) {
        Escuchar();
        return Resultado::Primera;
    }
    return Resultado::SinRespuesta;
}

// Sends the request and waits for the answer; a holder may not be listening yet, so `reintentar`
// tries again until the time is up.
bool InstanciaUnica::Avisar(int esperaMs, bool reintentar) {
    const QDeadlineTimer plazo(esperaMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(nombre_);
        if (socket.waitForConnected(int(plazo.remainingTime()))) {
            socket.write(Peticion);
            QByteArray leido;
            while (!leido.contains('\n') && socket.waitForReadyRead(int(plazo.remainingTime())))
                leido += socket.readAll();
            if (leido == Respuesta)
                return true;
        } else if (!reintentar) {
            return false;
        }
        QThread::msleep(100);
    } while (!plazo.hasExpired());
    return false;
}

void InstanciaUnica::Escuchar() {
    servidor_ = new QLocalServer(this);
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a holder that crashed would refuse the name.
    QLocalServer::removeServer(nombre_);
    if (!servidor_->listen(nombre_))
        return;
    connect(servidor_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = servidor_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == Peticion) {
                    socket->write(Respuesta);
                    socket->flush();
                    emit mostrar();
                }
                socket->disconnectFromServer();
            });
        }
    });
}

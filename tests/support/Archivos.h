// What many tests build: days, and whole files read and written.
#pragma once

#include "core/Fecha.h"

#include <QtTest>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>

inline Fechas::Dia D(int anio, int mes, int dia) {
    return *Fechas::crearDia(anio, mes, dia);
}

// The bytes of a file; `siFalta` when it cannot be read.
inline QByteArray Contenido(const QString& ruta, const QByteArray& siFalta = "<falta>") {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : siFalta;
}
inline QByteArray Contenido(const std::filesystem::path& ruta) {
    return Contenido(QString::fromStdString(ruta.string()));
}

// A temporary folder's template, in memory where there is one: files synced on every tick or
// write stay cheap.
inline QString EnMemoria() {
    return (QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath()) + "/vatrimox-XXXXXX";
}

inline void Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
inline void Escribir(const std::filesystem::path& ruta, const QByteArray& bytes) {
    Escribir(QString::fromStdString(ruta.string()), bytes);
}

// Runs `f` while this process may write no file beyond `bytes`, as on a full disk.
template <class F> void ConDiscoLleno(F&& f, rlim_t bytes = 100) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &antes) == 0);
    const rlimit lleno{bytes, antes.rlim_max};
    QVERIFY(setrlimit(RLIMIT_FSIZE, &lleno) == 0);
    f();
    setrlimit(RLIMIT_FSIZE, &antes);
}

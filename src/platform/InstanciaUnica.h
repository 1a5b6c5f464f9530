// InstanciaUnica: one running program per data folder; a second start asks the first to show.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

class InstanciaUnica : public QObject {
    Q_OBJECT
public:
    enum class Resultado {
        Primera,     // this process holds the folder and answers later starts
        Avisada,     // another process holds it and has been asked to show its window
        SinRespuesta // another process holds it but did not answer in time
    };

    explicit InstanciaUnica(const QString& carpetaDatos, QObject* padre = nullptr);
    ~InstanciaUnica() override;

    // Takes the folder, or asks its holder to show itself, waiting at most `esperaMs` for it.
    Resultado Iniciar(int esperaMs = 3000);

signals:
    // A later start asked for the window.
    void mostrar();

private:
    bool Avisar(int esperaMs, bool reintentar);
    void Escuchar();

    QString carpeta_;
    QLockFile bloqueo_;
    QString nombre_; // local socket name, the same for every process of this folder
    QLocalServer* servidor_ = nullptr;
};

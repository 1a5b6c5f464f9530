// ScriptedPrompts: answers dialogs from a queue and records every prompt shown.
#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QStringList>
#include <QVariant>

class ScriptedPrompts : public Prompts {
public:
    struct Mostrado {
        QString tipo; // "message", "question", "input", "open", "save", "font", "printer"
        QString titulo;
        QString texto;
        Icono icono = Icono::Ninguno;
        bool siPorDefecto = false;
        QString filtro;
        QString detalle; // a message's informative text
    };

    // Answers, taken in order by the prompts that need one: bool for question and printer,
    // QString for input/open/save (a null QVariant cancels), QFont for font.
    void responder(const QVariant& respuesta) { respuestas << respuesta; }

    QList<Mostrado> mostrados;
    int beeps = 0;
    QStringList errores; // unanswered or mistyped prompts; tests assert it stays empty
    int pendientes() const { return static_cast<int>(respuestas.size()); }
    const Mostrado& ultimo() const { return mostrados.back(); }

    void message(QWidget*, const QString& titulo, const QString& texto, Icono icono,
                 const QString& detalle = {}) override;
    bool question(QWidget*, const QString& titulo, const QString& texto,
                  bool siPorDefecto) override;
    std::optional<QString> inputText(QWidget*, const QString& titulo, const QString& etiqueta,
                                     const QString& inicial) override;
    QString openFile(QWidget*, const QString& titulo, const QString& filtro,
                     const QString& carpeta) override;
    QString saveFile(QWidget*, const QString& titulo, const QString& filtro,
                     const QString& carpeta) override;
    std::optional<QFont> font(QWidget*, const QFont& inicial) override;
    bool printer(QWidget*, QPrinter& impresora) override;
    void beep() override { ++beeps; }

private:
    QVariant siguiente(const QString& tipo);
    QList<QVariant> respuestas;
};

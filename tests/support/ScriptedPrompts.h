// ScriptedPrompts: answers dialogs from a queue and records every prompt shown.
#pragma once

#include "platform/Prompts.h"

#include <QStringList>
#include <QVariant>

class ScriptedPrompts : public Prompts {
public:
    struct Mostrado {
        QString tipo; // "message", "question", "input", "open", "save", "font", "printer"
        QString titulo, texto;
        Icono icono = Icono::Ninguno;
        bool siPorDefecto = false;
        QString filtro, detalle; // an input's initial text; a message's informative text
    };

    // Answers in order: bool (question, printer), QString (input, open, save; null cancels), QFont.
    void responder(const QVariant& respuesta) { respuestas << respuesta; }

    QList<Mostrado> mostrados;
    int beeps = 0;
    QStringList errores; // unanswered or mistyped prompts; tests assert it stays empty
    int pendientes() const { return static_cast<int>(respuestas.size()); }
    const Mostrado& ultimo() const { return mostrados.back(); }

    void message(QWidget*, const QString& titulo, const QString& texto, Icono icono,
                 const QString& detalle = {}) override {
        mostrados << Mostrado{"message", titulo, texto, icono, false, {}, detalle};
    }
    bool question(QWidget*, const QString& titulo, const QString& texto, bool si) override {
        return Mostrar("question", titulo, texto, Icono::Pregunta, si).toBool();
    }
    std::optional<QString> inputText(QWidget*, const QString& titulo, const QString& etiqueta,
                                     const QString& inicial) override {
        const QVariant r = Mostrar("input", titulo, etiqueta, Icono::Ninguno, false, inicial);
        return r.isNull() ? std::nullopt : std::optional(r.toString());
    }
    QString openFile(QWidget*, const QString& t, const QString& filtro, const QString&) override {
        return Mostrar("open", t, {}, Icono::Ninguno, false, filtro).toString();
    }
    QString saveFile(QWidget*, const QString& t, const QString& filtro, const QString&) override {
        return Mostrar("save", t, {}, Icono::Ninguno, false, filtro).toString();
    }
    std::optional<QFont> font(QWidget*, const QFont&) override {
        const QVariant r = Mostrar("font");
        return r.isNull() ? std::nullopt : std::optional(r.value<QFont>());
    }
    bool printer(QWidget*, QPrinter&) override { return Mostrar("printer").toBool(); }
    void beep() override { ++beeps; }

private:
    QVariant Mostrar(const QString& tipo, const QString& titulo = {}, const QString& texto = {},
                     Icono icono = Icono::Ninguno, bool si = false, const QString& filtro = {}) {
        mostrados << Mostrado{tipo, titulo, texto, icono, si, filtro, {}};
        if (respuestas.isEmpty())
            errores << QString("sin respuesta para %1: %2").arg(tipo, texto);
        return respuestas.isEmpty() ? QVariant() : respuestas.takeFirst();
    }
    QList<QVariant> respuestas;
};

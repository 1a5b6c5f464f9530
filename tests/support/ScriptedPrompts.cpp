// ScriptedPrompts: queued answers, recorded prompts.
#include "support/ScriptedPrompts.h"

QVariant ScriptedPrompts::siguiente(const QString& tipo) {
    if (respuestas.isEmpty()) {
        errores << QString("sin respuesta para %1: %2").arg(tipo, mostrados.back().texto);
        return {};
    }
    return respuestas.takeFirst();
}

void ScriptedPrompts::message(QWidget*, const QString& titulo, const QString& texto, Icono icono,
                              const QString& detalle) {
    mostrados << Mostrado{"message", titulo, texto, icono, false, {}, detalle};
}

bool ScriptedPrompts::question(QWidget*, const QString& titulo, const QString& texto,
                               bool siPorDefecto) {
    mostrados << Mostrado{"question", titulo, texto, Icono::Pregunta, siPorDefecto, {}, {}};
    return siguiente("question").toBool();
}

std::optional<QString> ScriptedPrompts::inputText(QWidget*, const QString& titulo,
                                                  const QString& etiqueta, const QString& inicial) {
    mostrados << Mostrado{"input", titulo, etiqueta, Icono::Ninguno, false, inicial, {}};
    const QVariant r = siguiente("input");
    if (r.isNull())
        return std::nullopt;
    return r.toString();
}

QString ScriptedPrompts::openFile(QWidget*, const QString& titulo, const QString& filtro,
                                  const QString&) {
    mostrados << Mostrado{"open", titulo, {}, Icono::Ninguno, false, filtro, {}};
    return siguiente("open").toString();
}

QString ScriptedPrompts::saveFile(QWidget*, const QString& titulo, const QString& filtro,
                                  const QString&) {
    mostrados << Mostrado{"save", titulo, {}, Icono::Ninguno, false, filtro, {}};
    return siguiente("save").toString();
}

std::optional<QFont> ScriptedPrompts::font(QWidget*, const QFont&) {
    mostrados << Mostrado{"font", {}, {}, Icono::Ninguno, false, {}, {}};
    const QVariant r = siguiente("font");
    if (r.isNull())
        return std::nullopt;
    return r.value<QFont>();
}

bool ScriptedPrompts::printer(QWidget*, QPrinter&) {
    mostrados << Mostrado{"printer", {}, {}, Icono::Ninguno, false, {}, {}};
    return siguiente("printer").toBool();
}

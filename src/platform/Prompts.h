// Prompts: every message box, input box and common dialog the program shows.
#pragma once

#include <QFont>
#include <QString>
#include <optional>

class QWidget;
class QPrinter;

class Prompts {
public:
    enum class Icono { Ninguno, Informacion, Pregunta, Exclamacion, Critico };
    virtual ~Prompts() = default;

    // A message with an OK button; `detalle`, when given, is shown below it as informative text.
    virtual void message(QWidget* parent, const QString& titulo, const QString& texto, Icono icono,
                         const QString& detalle = {}) = 0;
    // Yes/No question with the question icon; true for Yes.
    virtual bool question(QWidget* parent, const QString& titulo, const QString& texto,
                          bool siPorDefecto) = 0;
    // Input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& titulo,
                                             const QString& etiqueta, const QString& inicial) = 0;
    // File dialogs; an empty text when cancelled. `filtro` uses Qt's "Name (*.ext);;..." form.
    virtual QString openFile(QWidget* parent, const QString& titulo, const QString& filtro,
                             const QString& carpeta) = 0;
    virtual QString saveFile(QWidget* parent, const QString& titulo, const QString& filtro,
                             const QString& carpeta) = 0;
    // Font dialog; nullopt when cancelled.
    virtual std::optional<QFont> font(QWidget* parent, const QFont& inicial) = 0;
    // Printer dialog (selection and page range disabled); false when cancelled.
    virtual bool printer(QWidget* parent, QPrinter& impresora) = 0;
    // The system beep.
    virtual void beep() = 0;
};

// The real dialogs: QMessageBox, QInputDialog, QFileDialog, QFontDialog, QPrintDialog.
class QtPrompts : public Prompts {
public:
    void message(QWidget* parent, const QString& titulo, const QString& texto, Icono icono,
                 const QString& detalle = {}) override;
    bool question(QWidget* parent, const QString& titulo, const QString& texto,
                  bool siPorDefecto) override;
    std::optional<QString> inputText(QWidget* parent, const QString& titulo,
                                     const QString& etiqueta, const QString& inicial) override;
    QString openFile(QWidget* parent, const QString& titulo, const QString& filtro,
                     const QString& carpeta) override;
    QString saveFile(QWidget* parent, const QString& titulo, const QString& filtro,
                     const QString& carpeta) override;
    std::optional<QFont> font(QWidget* parent, const QFont& inicial) override;
    bool printer(QWidget* parent, QPrinter& impresora) override;
    void beep() override;
};

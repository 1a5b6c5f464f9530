// QtPrompts: the program's dialogs on QMessageBox, QInputDialog, QFileDialog, QFontDialog and
// QPrintDialog.
#include "platform/Prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {
QMessageBox::Icon IconoQt(Prompts::Icono icono) {
    switch (icono) {
    case Prompts::Icono::Informacion:
        return QMessageBox::Information;
    case Prompts::Icono::Pregunta:
        return QMessageBox::Question;
    case Prompts::Icono::Exclamacion:
        return QMessageBox::Warning;
    case Prompts::Icono::Critico:
        return QMessageBox::Critical;
    case Prompts::Icono::Ninguno:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtPrompts::message(QWidget* parent, const QString& titulo, const QString& texto, Icono icono,
                        const QString& detalle) {
    QMessageBox caja(IconoQt(icono), titulo, texto, QMessageBox::Ok, parent);
    caja.setInformativeText(detalle);
    caja.exec();
}

bool QtPrompts::question(QWidget* parent, const QString& titulo, const QString& texto,
                         bool siPorDefecto) {
    QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::Yes | QMessageBox::No,
                     parent);
    caja.setDefaultButton(siPorDefecto ? QMessageBox::Yes : QMessageBox::No);
    return caja.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::inputText(QWidget* parent, const QString& titulo,
                                            const QString& etiqueta, const QString& inicial) {
    bool ok = false;
    const QString texto =
        QInputDialog::getText(parent, titulo, etiqueta, QLineEdit::Normal, inicial, &ok);
    if (!ok)
        return std::nullopt;
    return texto;
}

QString QtPrompts::openFile(QWidget* parent, const QString& titulo, const QString& filtro,
                            const QString& carpeta) {
    return QFileDialog::getOpenFileName(parent, titulo, carpeta, filtro);
}

QString QtPrompts::saveFile(QWidget* parent, const QString& titulo, const QString& filtro,
                            const QString& carpeta) {
    return QFileDialog::getSaveFileName(parent, titulo, carpeta, filtro);
}

std::optional<QFont> QtPrompts::font(QWidget* parent, const QFont& inicial) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, inicial, parent);
    if (!ok)
        return std::nullopt;
    return f;
}

bool QtPrompts::printer(QWidget* parent, QPrinter& impresora) {
    QPrintDialog dialogo(&impresora, parent);
    dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialogo.exec() == QDialog::Accepted;
}

void QtPrompts::beep() {
    QApplication::beep();
}

// Fixed-size dialog set-up shared by the program's dialogs, and twips to pixels (15 a pixel).
#pragma once

#include <QDialog>
#include <QString>

constexpr int Px(int twips) {
    return twips / 15;
}

// Object name, caption, no minimise/maximise buttons and the dialogs' 11-pixel lettering.
inline void PrepararDialogoFijo(QDialog& dialogo, const char* nombre, const QString& titulo) {
    dialogo.setObjectName(nombre);
    dialogo.setWindowTitle(titulo);
    dialogo.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    QFont letra = dialogo.font();
    letra.setPixelSize(11);
    dialogo.setFont(letra);
}

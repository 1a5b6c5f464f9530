// Widget helpers shared by the windows: twips to pixels, fixed dialogs, colours, placed labels.
#pragma once

#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <cstdint>

// 15 twips a pixel at 96 DPI; Qt scales the pixels on high-DPI screens. The dialogs cut to the
// pixel below and the main window rounds to the nearest (1598 twips: 106 against 107); each
// keeps the layout its users know.
enum class Redondeo { Abajo, Cercano };
constexpr int Px(int twips, Redondeo redondeo = Redondeo::Abajo) {
    return (twips + (redondeo == Redondeo::Cercano ? 7 : 0)) / 15;
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

// A 32-bit colour value with red in the low byte (the band colours) as a QColor; 0 is black.
inline QColor ColorQt(uint32_t valor) {
    return QColor(static_cast<int>(valor & 0xFF), static_cast<int>((valor >> 8) & 0xFF),
                  static_cast<int>((valor >> 16) & 0xFF));
}

// Black or white, whichever reads better on `fondo` (the lighter a background, the darker its
// text), so a forced background keeps its text readable under a dark theme too.
inline QColor TextoSobre(const QColor& fondo) {
    const double luz = 0.2126 * fondo.redF() + 0.7152 * fondo.greenF() + 0.0722 * fondo.blueF();
    return luz >= 0.4 ? QColor(Qt::black) : QColor(Qt::white);
}

// Fills a widget's background with one colour, and sets its text to match.
inline void PintarFondo(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::WindowText, TextoSobre(color));
    p.setColor(QPalette::Text, TextoSobre(color));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A named label at a fixed place.
inline QLabel* Etiqueta(QWidget* padre, const QString& nombre, const QString& texto, QRect r) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setGeometry(r);
    return l;
}

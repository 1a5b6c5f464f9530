// Toolbar images drawn on a 24-pixel grid: documents, printer, font, pencil, charts, home.
#include "ui/calllog/IconosBarra.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void Documento(QPainter& p) {
    QPainterPath hoja;
    hoja.moveTo(5, 2);
    hoja.lineTo(14, 2);
    hoja.lineTo(19, 7);
    hoja.lineTo(19, 22);
    hoja.lineTo(5, 22);
    hoja.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(hoja);
    p.drawLine(14, 2, 14, 7);
    p.drawLine(14, 7, 19, 7);
}

void Carpeta(QPainter& p) {
    p.setBrush(QColor(0xE8, 0xC0, 0x50));
    p.drawRect(2, 7, 20, 13);
    p.drawRect(2, 4, 8, 3);
}

void Disco(QPainter& p) {
    p.setBrush(QColor(0x30, 0x50, 0xA0));
    p.drawRect(3, 3, 18, 18);
    p.setBrush(Qt::white);
    p.drawRect(7, 3, 10, 7);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(6, 14, 12, 7);
}

void Impresora(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 8);
    p.setBrush(QColor(0xB0, 0xB0, 0xB0));
    p.drawRect(3, 9, 18, 9);
    p.setBrush(Qt::white);
    p.drawRect(7, 15, 10, 7);
}

void Fuente(QPainter& p) {
    QFont f("DejaVu Serif");
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, "A");
}

void Lapiz(QPainter& p) {
    Documento(p);
    p.setPen(QPen(QColor(0xC0, 0x60, 0x10), 3));
    p.drawLine(8, 18, 18, 8);
}

void Eliminar(QPainter& p) {
    Documento(p);
    p.setPen(QPen(QColor(0xC0, 0x10, 0x10), 3));
    p.drawLine(8, 10, 16, 18);
    p.drawLine(16, 10, 8, 18);
}

void Barras(QPainter& p) {
    p.setBrush(QColor(0x20, 0x80, 0x20));
    p.drawRect(3, 12, 4, 9);
    p.drawRect(10, 5, 4, 16);
    p.drawRect(17, 9, 4, 12);
    p.drawLine(1, 21, 23, 21);
}

void Curva(QPainter& p) {
    p.drawLine(2, 21, 22, 21);
    p.drawLine(2, 3, 2, 21);
    p.setPen(QPen(QColor(0x10, 0x40, 0xC0), 2));
    p.drawPolyline(
        QPolygon({QPoint(3, 15), QPoint(8, 9), QPoint(12, 13), QPoint(17, 6), QPoint(22, 10)}));
}

void Letra(QPainter& p, const QString& texto, const QColor& color) {
    QFont f("DejaVu Sans");
    f.setPixelSize(texto.size() > 1 ? 11 : 18);
    f.setBold(true);
    p.setFont(f);
    p.setBrush(color);
    p.drawRoundedRect(2, 2, 20, 20, 3, 3);
    p.setPen(Qt::white);
    p.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, texto);
}

void Franjas(QPainter& p) {
    p.setBrush(QColor(0xFF, 0xC0, 0xC0));
    p.drawRect(3, 3, 18, 6);
    p.setBrush(QColor(0xFF, 0xFF, 0xC0));
    p.drawRect(3, 9, 18, 6);
    p.setBrush(QColor(0xC0, 0xFF, 0xC0));
    p.drawRect(3, 15, 18, 6);
}

void Casa(QPainter& p) {
    p.setBrush(QColor(0xC0, 0x40, 0x30));
    p.drawPolygon(QPolygon({QPoint(2, 12), QPoint(12, 3), QPoint(22, 12)}));
    p.setBrush(QColor(0xF0, 0xE0, 0xC0));
    p.drawRect(5, 12, 14, 10);
    p.setBrush(QColor(0x80, 0x50, 0x20));
    p.drawRect(10, 15, 4, 7);
}

} // namespace

QIcon IconoBarra(int imagen) {
    QPixmap lienzo(24, 24);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    switch (imagen) {
    case 1:
        Documento(p);
        break;
    case 2:
        Carpeta(p);
        break;
    case 3:
        Disco(p);
        break;
    case 4:
        Impresora(p);
        break;
    case 5:
        Fuente(p);
        break;
    case 6:
        Barras(p);
        break;
    case 8:
        Lapiz(p);
        break;
    case 9:
        Letra(p, QString::fromUtf8("Σ"), QColor(0x30, 0x60, 0xB0));
        break;
    case 10:
        Letra(p, QString::fromUtf8("≈"), QColor(0x60, 0x30, 0xA0));
        break;
    case 11:
        Letra(p, "HOY", QColor(0x20, 0x80, 0x60));
        break;
    case 12:
        Eliminar(p);
        break;
    case 13:
        Curva(p);
        break;
    case 14:
        Franjas(p);
        break;
    case 15:
        Casa(p);
        break;
    default:
        break;
    }
    p.end();
    return QIcon(lienzo);
}

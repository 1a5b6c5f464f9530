// The tray icon over QSystemTrayIcon and the pictures drawn for it and the toolbar.
#include "ui/main/Icono.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace Icono {

namespace {

QPixmap Lienzo(int lado) {
    QPixmap p(lado, lado);
    p.fill(Qt::transparent);
    return p;
}

// A telephone handset on a round badge; `conectado` adds the green line-up colour.
QIcon Telefono(bool conectado) {
    QIcon icono;
    for (int lado : {16, 32}) {
        QPixmap p = Lienzo(lado);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.scale(lado / 16.0, lado / 16.0);
        g.setPen(QPen(QColor(40, 40, 40), 0.8));
        g.setBrush(conectado ? QColor(40, 170, 60) : QColor(150, 150, 160));
        g.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        QPainterPath auricular;
        auricular.moveTo(3.5, 9.5);
        auricular.cubicTo(3.5, 4.0, 12.5, 4.0, 12.5, 9.5);
        g.setBrush(Qt::NoBrush);
        g.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
        g.drawPath(auricular);
        g.setPen(Qt::NoPen);
        g.setBrush(Qt::white);
        g.drawRoundedRect(QRectF(2.0, 9.0, 4.0, 3.0), 1, 1);
        g.drawRoundedRect(QRectF(10.0, 9.0, 4.0, 3.0), 1, 1);
        if (conectado) {
            g.setBrush(QColor(255, 220, 0));
            g.drawEllipse(QRectF(6.5, 10.5, 3, 3));
        }
        icono.addPixmap(p);
    }
    return icono;
}

// A gear for the options.
void DibujarEngranaje(QPainter& g, const QPen& borde) {
    g.setPen(borde);
    g.setBrush(QColor(170, 170, 185));
    g.translate(16, 16);
    for (int i = 0; i < 8; ++i) {
        g.drawRect(QRectF(-2.5, -14, 5, 6));
        g.rotate(45);
    }
    g.drawEllipse(QPointF(0, 0), 9.5, 9.5);
    g.setBrush(Qt::white);
    g.drawEllipse(QPointF(0, 0), 3.5, 3.5);
}

// A ruled list of calls.
void DibujarLista(QPainter& g, const QPen& borde) {
    g.setPen(borde);
    g.setBrush(Qt::white);
    g.drawRect(QRectF(5, 3, 22, 26));
    g.setPen(QPen(QColor(30, 80, 170), 2));
    for (int y = 9; y <= 24; y += 5)
        g.drawLine(QPointF(9, y), QPointF(23, y));
}

// A calendar page.
void DibujarCalendario(QPainter& g, const QPen& borde) {
    g.setPen(borde);
    g.setBrush(Qt::white);
    g.drawRect(QRectF(4, 6, 24, 22));
    g.setBrush(QColor(200, 40, 40));
    g.drawRect(QRectF(4, 6, 24, 6));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(60, 60, 70));
    for (int f = 0; f < 3; ++f)
        for (int c = 0; c < 4; ++c)
            g.drawRect(QRectF(7 + c * 5.3, 15 + f * 4.2, 3, 2.5));
}

// A coin for the tariffs.
void DibujarMoneda(QPainter& g) {
    g.setPen(QPen(QColor(120, 90, 0), 1.5));
    g.setBrush(QColor(235, 190, 40));
    g.drawEllipse(QRectF(4, 4, 24, 24));
    QFont f;
    f.setBold(true);
    f.setPixelSize(13);
    g.setFont(f);
    g.setPen(QColor(110, 70, 0));
    g.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, "Pts");
}

// An information sign.
void DibujarInformacion(QPainter& g, const QPen& borde) {
    g.setPen(borde);
    g.setBrush(QColor(40, 110, 210));
    g.drawEllipse(QRectF(4, 4, 24, 24));
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::white);
    g.drawEllipse(QPointF(16, 10.5), 2.2, 2.2);
    g.drawRoundedRect(QRectF(14, 14, 4, 10), 1, 1);
}

QPixmap Boton(int indice) {
    QPixmap p = Lienzo(32);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QPen borde(QColor(50, 50, 60), 1.5);
    switch (indice) {
    case 1:
        DibujarEngranaje(g, borde);
        break;
    case 3:
        DibujarLista(g, borde);
        break;
    case 5:
        DibujarCalendario(g, borde);
        break;
    case 6:
        DibujarMoneda(g);
        break;
    case 8:
        DibujarInformacion(g, borde);
        break;
    default:
        break;
    }
    return p;
}

} // namespace

QIcon IconoReposo() {
    static const QIcon icono = Telefono(false);
    return icono;
}

QIcon IconoConectado() {
    static const QIcon icono = Telefono(true);
    return icono;
}

QIcon IconoBoton(int indice) {
    return QIcon(Boton(indice));
}

Bandeja::Bandeja(QObject* padre) : QObject(padre), tray_(new QSystemTrayIcon(this)) {
    connect(tray_, &QSystemTrayIcon::activated, this, [this](auto razon) {
        if (razon == QSystemTrayIcon::DoubleClick)
            emit dobleClic();
    });
}

Bandeja::~Bandeja() {
    QuitarIcono();
}

// Asked at every hide: a tray host can come and go while the program runs.
bool Bandeja::Disponible() const {
    return agregado_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

// Shown even while no tray host runs: Qt docks a visible icon when one registers later.
void Bandeja::AgregarIcono(QWidget*, const QIcon& icono, const QString& tip) {
    agregado_ = true;
    CambiarIcono(icono, tip);
    tray_->show();
}

void Bandeja::CambiarIcono(const QIcon& icono, const QString& tip, const QString& conexion) {
    tip_ = tip.left(LargoTip);
    if (!conexion.isEmpty())
        tip_ += "\n" + conexion;
    icono_ = icono.cacheKey();
    tray_->setIcon(icono);
    tray_->setToolTip(tip_);
}

void Bandeja::QuitarIcono() {
    agregado_ = false;
    tray_->hide();
}

void Bandeja::PonerMenu(QMenu* menu) {
    tray_->setContextMenu(menu);
}

} // namespace Icono

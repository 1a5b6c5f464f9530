// Painting of the statistics charts onto any QPainter.
#include "ui/calllog/PintarGraficos.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace Estadistica {

namespace {

// Maps user coordinates onto the pixels of an area: the left/top corner of the scale to the
// first pixel, the right/bottom corner to the last. A scale with no width or no height puts
// every point on the left or top edge rather than dividing by zero.
class Mapa {
public:
    Mapa(const QRect& area, const Escala& e) : area_(area), e_(e) {}
    double x(double x) const {
        return area_.left() + Fraccion(x, e_.izquierda, e_.derecha) * (area_.width() - 1);
    }
    double y(double y) const {
        return area_.top() + Fraccion(y, e_.arriba, e_.abajo) * (area_.height() - 1);
    }

private:
    static double Fraccion(double v, double desde, double hasta) {
        return hasta == desde ? 0.0 : (v - desde) / (hasta - desde);
    }
    QRect area_;
    Escala e_;
};

int Pixel(double v) {
    constexpr double limite = 1e6; // far outside any area, safe to convert
    return static_cast<int>(std::lround(std::clamp(v, -limite, limite)));
}

void PintarGuias(QPainter& p, const QRect& area, const Escala& escala, double maximo) {
    const Mapa m(area, escala);
    QPen punteado(Qt::black, 1);
    punteado.setDashPattern({1.0, 1.0});
    punteado.setCosmetic(true);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(punteado);
    for (double altura : AlturasGuias(maximo)) {
        const int y = Pixel(m.y(altura));
        p.drawLine(QPoint(Pixel(m.x(0)), y), QPoint(Pixel(m.x(escala.derecha)), y));
    }
}

} // namespace

void PintarRegularidad(QPainter& p, const QRect& area, const DatosRegularidad& datos,
                       const QColor& fondo) {
    p.save();
    p.setClipRect(area);
    p.fillRect(area, fondo);
    if (datos.hayCurva()) {
        const Mapa m(area, datos.escalaCurva());
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, datos.grosor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPolygonF curva;
        curva.reserve(static_cast<qsizetype>(datos.importes.size()));
        for (std::size_t k = 0; k < datos.importes.size(); ++k)
            curva << QPointF(m.x(static_cast<double>(k)), m.y(datos.importes[k]));
        p.drawPolyline(curva);
    }
    if (datos.hayGuias())
        PintarGuias(p, area, datos.escalaGuias(), datos.maximo);
    p.restore();
}

void PintarBarras(QPainter& p, const QRect& area, const DatosBarras& datos, const QColor& fondo) {
    p.save();
    p.setClipRect(area);
    p.fillRect(area, fondo);
    const Mapa m(area, datos.escala());
    // With no positive sum there is no height to scale to: nothing rises above the top edge.
    if (datos.maximo > 0) {
        p.setRenderHint(QPainter::Antialiasing, false);
        for (std::size_t i = 0; i < datos.alturas.size(); ++i) {
            if (datos.alturas[i] == 0)
                continue;
            const double x = 2.0 * static_cast<double>(i);
            const int izquierda = Pixel(m.x(x + 1));
            const int derecha = Pixel(m.x(x + 2));
            const int base = Pixel(m.y(0));
            const int cima = Pixel(m.y(datos.alturas[i]));
            p.fillRect(QRect(QPoint(izquierda, std::min(base, cima)),
                             QPoint(derecha, std::max(base, cima))),
                       Qt::black);
        }
    }
    PintarGuias(p, area, datos.escala(), datos.maximo);
    p.restore();
}

} // namespace Estadistica

// Listing painter: lines from the layout, a page break whenever the next line would not fit.
#include "ui/calllog/Listado.h"

#include "calllog/DisenoListado.h"
#include "platform/FormatoLocal.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace Listado {

void PrepararImpresora(QPrinter& impresora) {
    impresora.setPageSize(QPageSize(QPageSize::A4));
    impresora.setPageOrientation(QPageLayout::Portrait);
    // Positions count from the printable area's edge: the printer's own minimum margins, none
    // on a PDF file.
    impresora.setFullPage(false);
    impresora.setPageMargins(impresora.pageLayout().minimumMargins(),
                             impresora.pageLayout().units());
}

namespace {

class Pintor {
public:
    Pintor(QPagedPaintDevice& dispositivo, QPainter& p)
        : dispositivo_(dispositivo), p_(p), puntosPorCm_(dispositivo.logicalDpiX() / 2.54),
          alto_(QFontMetricsF(p.font(), &dispositivo).lineSpacing()),
          ascenso_(QFontMetricsF(p.font(), &dispositivo).ascent()), y_(Cm(MargenSuperiorCm)),
          limite_(dispositivo.height() - dispositivo.logicalDpiY() / 2.54 * MargenInferiorCm) {}

    bool Linea(const Registro::LineaListado& linea) {
        if (linea.regla) {
            // Across the middle of the blank line that follows every rule.
            const double y = y_ + alto_ / 2;
            p_.drawLine(QPointF(Cm(Registro::ReglaDesdeCm), y),
                        QPointF(Cm(Registro::ReglaHastaCm), y));
            return true;
        }
        if (y_ + alto_ > limite_) {
            if (!dispositivo_.newPage())
                return false;
            y_ = Cm(MargenSuperiorCm);
        }
        for (const Registro::TextoEn& t : linea.textos)
            p_.drawText(QPointF(Cm(t.xCm), y_ + ascenso_), QString::fromStdString(t.texto));
        y_ += alto_;
        return true;
    }

private:
    double Cm(double cm) const { return cm * puntosPorCm_; }

    QPagedPaintDevice& dispositivo_;
    QPainter& p_;
    double puntosPorCm_;
    double alto_;
    double ascenso_;
    double y_;
    double limite_;
};

} // namespace

bool Imprimir(QPagedPaintDevice& dispositivo, const Datos& datos) {
    QPainter p;
    if (!p.begin(&dispositivo))
        return false;
    p.setFont(datos.fuente);
    p.setPen(QPen(Qt::black, dispositivo.logicalDpiX() / 2.54 * 0.02));
    const Registro::FormatoListado formato = FormatoLocal::Listado();
    Pintor pintor(dispositivo, p);
    bool ok = true;
    for (const auto& linea : Registro::CabeceraListado(
             datos.llamadas, FormatoLocal::FechaHora(datos.ahora).toStdString(),
             datos.archivo.toStdString(), formato))
        ok = ok && pintor.Linea(linea);
    for (size_t i = 0; ok && i < datos.llamadas.size(); ++i)
        ok = pintor.Linea(
            Registro::LineaLlamada(datos.llamadas[i], static_cast<int64_t>(i) + 1, formato));
    return p.end() && ok;
}

} // namespace Listado

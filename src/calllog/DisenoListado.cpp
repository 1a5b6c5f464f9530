// Lines of the printed listing: heading, totals, column headers and one line per call.
#include "calllog/DisenoListado.h"

#include "calllog/Totales.h"
#include "core/Formato.h"

namespace Registro {

namespace {
LineaListado Texto(double x, std::string texto) {
    return {{{x, std::move(texto)}}, false};
}
LineaListado Vacia() {
    return {};
}
LineaListado Regla() {
    return {{}, true};
}
LineaListado Total(std::string etiqueta, std::string valor) {
    return {{{ColumnasCm[0], std::move(etiqueta)}, {ColumnasCm[2], std::move(valor)}}, false};
}
// A number with a blank where a minus sign would stand.
std::string ConSigno(std::string texto) {
    return texto.starts_with('-') ? texto : " " + texto;
}
} // namespace

std::vector<LineaListado> CabeceraListado(const std::vector<Llamada>& llamadas,
                                          const std::string& fechaImpresion,
                                          const std::string& archivo,
                                          const FormatoListado& formato) {
    const Totales t = CalcularTotales(llamadas);
    std::vector<LineaListado> lineas{
        Vacia(),
        Texto(ColumnasCm[0], General::TituloPrograma() + " para Windows 95/98/NT"),
        Texto(ColumnasCm[0], "Listado imprimido el día: " + fechaImpresion),
        Texto(ColumnasCm[0], "Llamadas registradas en el archivo: " + archivo),
        Regla(),
        Vacia(),
        Total("Llamadas efectuadas ...:", std::to_string(t.llamadas) + "."),
        Total("Segundos facturados ...:", std::to_string(t.SegundosTotal) + " \""),
        Total("Tiempo de conexión .....:", General::FormatoDuracion(t.TiempoTotal)),
        Total("Importe total .................:",
              TextoImporte(t.ImporteTotal, formato.separadorDecimal) + " pts"),
        Regla(),
        Vacia(),
    };
    LineaListado cabeceras;
    const char* textos[7] = {"Nº", "Fecha", "Hora", "Duracion", "Segundos", "Importe", "Tarifa"};
    for (int c = 0; c < 7; ++c)
        cabeceras.textos.push_back({ColumnasCm[c], textos[c]});
    lineas.push_back(std::move(cabeceras));
    lineas.push_back(Regla());
    lineas.push_back(Vacia());
    return lineas;
}

LineaListado LineaLlamada(const Llamada& llamada, int64_t numero, const FormatoListado& formato) {
    return {{{ColumnasCm[0], ConSigno(std::to_string(numero))},
             {ColumnasCm[1], formato.fecha(llamada.Fecha)},
             {ColumnasCm[2], formato.fecha(llamada.Hora)},
             {ColumnasCm[3], formato.duracion(llamada.Duracion)},
             {ColumnasCm[4], ConSigno(std::to_string(llamada.Segundos))},
             {ColumnasCm[5], ConSigno(TextoImporte(llamada.Importe, formato.separadorDecimal))},
             {ColumnasCm[6], Codificacion::TextoVisible(llamada.Tarifa)}},
            false};
}

} // namespace Registro

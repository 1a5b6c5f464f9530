// vatrimox comparar: the table of "¿Qué tarifa me conviene?" for a call log.
#include "cli/LineaComandos.h"
#include "cli/Orden.h"

#include "core/Formato.h"
#include "platform/FormatoLocal.h"
#include "platform/IniSettingsStore.h"
#include "tariffs/Comparacion.h"
#include "tariffs/TextosComparacion.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <array>

namespace LineaComandos {

namespace {

// "¿Qué tarifa me conviene?" for the loaded calls, under the stored IVA settings; refused plan
// files are named on standard error and the others still compared.
int CompararTarifas(Orden& o, const std::vector<Llamada>& llamadas) {
    const Tarifas::Catalogo catalogo = CargarPlanes(o);
    const IniSettingsStore ajustes;
    const auto filas = Tarifas::Comparar(llamadas, catalogo, Byte(ajustes, General::Ajustes::IVA),
                                         Byte(ajustes, General::Ajustes::CuantoIVA));
    if (o.json) {
        QJsonArray lista;
        for (const Tarifas::FilaComparacion& f : filas) {
            QJsonObject fila{{"tipo", Q(f.tipo)},
                             {"plan", Q(f.plan)},
                             {"pesetas", ImporteJson(f.pesetas, f.pesetasFuera)},
                             {"euros", f.pesetasFuera ? QJsonValue() : DosDecimales(f.euros)},
                             {"diferencia", ImporteJson(f.diferencia, f.diferenciaFuera)}};
            if (f.diferenciaFuera)
                fila["desborde"] = true;
            lista.append(fila);
        }
        o.consola.Json(lista);
        return Exito;
    }
    // Columns as wide as their longest text; names to the left, amounts to the right.
    std::vector<std::array<QString, 5>> tabla(1);
    for (size_t c = 0; c < tabla[0].size(); ++c)
        tabla[0][c] = QString::fromUtf8(Tarifas::CabecerasComparacion[c]);
    for (const Tarifas::FilaComparacion& f : filas) {
        const auto textos = Tarifas::TextosFila(f, FormatoLocal::SeparadorDecimal());
        tabla.emplace_back();
        for (size_t c = 0; c < textos.size(); ++c)
            tabla.back()[c] = Q(textos[c]);
    }
    std::array<qsizetype, 5> ancho{};
    for (const auto& fila : tabla)
        for (size_t c = 0; c < fila.size(); ++c)
            ancho[c] = std::max(ancho[c], fila[c].size());
    for (const auto& fila : tabla) {
        QString linea;
        for (size_t c = 0; c < fila.size(); ++c)
            linea += (c ? "  " : "") +
                     (c < 2 ? fila[c].leftJustified(ancho[c]) : fila[c].rightJustified(ancho[c]));
        o.consola.out << linea.trimmed() << "\n";
    }
    return Exito;
}

} // namespace

int Comparar(Orden& o) {
    QString ruta;
    std::vector<Llamada> llamadas;
    int salida = Exito;
    if (!CargarRegistro(o, ruta, llamadas, salida))
        return salida;
    return CompararTarifas(o, llamadas);
}

} // namespace LineaComandos

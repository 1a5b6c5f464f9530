// vatrimox informe: the texts of "Datos hoy", "Totales" and "Estimado", or their numbers.
#include "cli/LineaComandos.h"
#include "cli/Orden.h"

#include "calllog/Totales.h"
#include "platform/Clock.h"
#include "platform/FormatoLocal.h"
#include "platform/IniSettingsStore.h"
#include "stats/Estimaciones.h"
#include "stats/TotalesFranja.h"

#include <QDate>
#include <QJsonDocument>

namespace LineaComandos {

namespace {

QJsonObject JsonTotales(const Registro::Totales& t) {
    QJsonObject totales{{"llamadas", static_cast<qint64>(t.llamadas)},
                        {"segundos_facturados", static_cast<qint64>(t.SegundosTotal)},
                        {"tiempo_conexion", static_cast<qint64>(t.TiempoTotal)},
                        {"importe", ImporteJson(t.ImporteTotal, t.desborde)}};
    if (t.desborde)
        totales["desborde"] = true;
    return totales;
}

// The totals of the whole log, also by band.
QJsonObject JsonTotalesFranjas(const std::vector<Llamada>& llamadas,
                               const Tarifas::Catalogo& catalogo) {
    QJsonObject totales = JsonTotales(Registro::CalcularTotales(llamadas));
    const Estadistica::SumasFranja franjas = Estadistica::SumarPorFranja(llamadas, catalogo);
    totales["punta"] = ImporteJson(franjas.punta, franjas.desborde);
    totales["normal"] = ImporteJson(franjas.normal, franjas.desborde);
    totales["reducida"] = ImporteJson(franjas.reducida, franjas.desborde);
    if (franjas.desborde)
        totales["desborde"] = true;
    return totales;
}

QJsonObject JsonEstimado(const Estadistica::Estimado& e) {
    return {{"llamadas_dia", e.llamadasDia},
            {"llamadas_estimadas", static_cast<qint64>(e.llamadasEstimadas)},
            {"tiempo_estimado", static_cast<qint64>(e.tiempoEstimado)},
            {"importe_llamada", Importe4(e.importeLlamada)},
            {"importe_diario", Importe4(e.importeDiario)},
            {"importe_semanal", Importe4(e.importeSemanal)},
            {"importe_mensual", Importe4(e.importeMensual)},
            {"importe_estimado", Importe4(e.importeEstimado)}};
}

} // namespace

int Informe(Orden& o) {
    QString ruta;
    std::vector<Llamada> llamadas;
    int salida = Exito;
    if (!CargarRegistro(o, ruta, llamadas, salida))
        return salida;
    const Tarifas::Catalogo catalogo = CargarPlanes(o);
    const char separador = FormatoLocal::SeparadorDecimal();
    const Fechas::Dia hoy = SystemClock().now().dia;
    const auto periodo = General::LeerPeriodo(IniSettingsStore());
    const Registro::Totales delDia = Registro::TotalesDelDia(llamadas, hoy);
    std::string motivo = "Las fechas del periodo de facturación no son válidas.";
    const auto estimado =
        periodo
            ? Estadistica::CalcularEstimado(llamadas, {periodo->inicio, periodo->fin, hoy}, &motivo)
            : std::nullopt;

    if (o.json) {
        QJsonObject raiz{{"archivo", ruta}, {"hoy", JsonTotales(delDia)}};
        if (periodo)
            raiz["periodo"] =
                QJsonObject{{"inicio", FormatoLocal::ADate(periodo->inicio).toString(Qt::ISODate)},
                            {"final", FormatoLocal::ADate(periodo->fin).toString(Qt::ISODate)}};
        raiz["totales"] = JsonTotalesFranjas(llamadas, catalogo);
        if (estimado) {
            raiz["estimado"] = JsonEstimado(*estimado);
        } else {
            raiz["estimado"] = QJsonValue::Null;
            raiz["motivo"] = Q(motivo);
        }
        o.consola.Json(raiz);
        return Exito;
    }
    QTextStream& out = o.consola.out;
    out << "Archivo: " << ruta << "\n";
    if (periodo)
        out << "Periodo: " << FormatoLocal::Fecha(periodo->inicio) << " - "
            << FormatoLocal::Fecha(periodo->fin) << "\n";
    out << QString::fromUtf8("\nCálculo día de hoy\n")
        << Q(delDia.desborde ? Registro::TextoDesborde(separador)
                             : Registro::TextoDatosHoy(delDia, separador))
        << "\n"
        << QString::fromUtf8("\nCálculo total\n")
        << Q(Estadistica::TextoTotales(llamadas, catalogo, separador)
                 .value_or(Registro::TextoDesborde(separador)))
        << "\n"
        << QString::fromUtf8("\nEstadística de las llamadas\n")
        << Q(estimado ? Estadistica::TextoEstimado(*estimado, separador) : motivo) << "\n";
    return Exito;
}

} // namespace LineaComandos

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

// Seconds of a duration text "hh:mm:ss".
qint64 SegundosDe(const std::string& duracion) {
    const QStringList partes = Q(duracion).split(':');
    qint64 s = 0;
    for (const QString& parte : partes)
        s = s * 60 + parte.toLongLong();
    return s;
}

QJsonObject JsonTotales(const Registro::Totales& t) {
    return {{"llamadas", static_cast<qint64>(t.llamadas)},
            {"segundos_facturados", static_cast<qint64>(t.SegundosTotal)},
            {"tiempo_conexion", static_cast<qint64>(t.TiempoTotal)},
            {"importe", Importe4(t.ImporteTotal)}};
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
        periodo ? Estadistica::CalcularEstimado(llamadas, {periodo->inicio, periodo->fin, hoy},
                                                o.json ? '.' : separador, &motivo)
                : std::nullopt;

    if (o.json) {
        QJsonObject raiz{{"archivo", ruta}, {"hoy", JsonTotales(delDia)}};
        if (periodo)
            raiz["periodo"] =
                QJsonObject{{"inicio", FormatoLocal::ADate(periodo->inicio).toString(Qt::ISODate)},
                            {"final", FormatoLocal::ADate(periodo->fin).toString(Qt::ISODate)}};
        QJsonObject totales = JsonTotales(Registro::CalcularTotales(llamadas));
        const Estadistica::SumasFranja franjas = Estadistica::SumarPorFranja(llamadas, catalogo);
        totales["punta"] = Importe4(franjas.punta);
        totales["normal"] = Importe4(franjas.normal);
        totales["reducida"] = Importe4(franjas.reducida);
        raiz["totales"] = totales;
        if (estimado) {
            const auto numero = [](const std::string& t) { return Q(t).toDouble(); };
            raiz["estimado"] =
                QJsonObject{{"llamadas_dia", numero(estimado->llamadasDia)},
                            {"llamadas_estimadas", numero(estimado->llamadasEstimadas)},
                            {"tiempo_estimado", SegundosDe(estimado->tiempoEstimado)},
                            {"importe_llamada", Q(estimado->importeLlamada)},
                            {"importe_diario", Q(estimado->importeDiario)},
                            {"importe_semanal", Q(estimado->importeSemanal)},
                            {"importe_mensual", Q(estimado->importeMensual)},
                            {"importe_estimado", Q(estimado->importeEstimado)}};
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
        << Q(estimado ? Estadistica::TextoEstimado(*estimado) : motivo) << "\n";
    return Exito;
}

} // namespace LineaComandos

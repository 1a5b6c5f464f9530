// vatrimox precio: the meter's reading of one call.
#include "cli/LineaComandos.h"
#include "cli/Orden.h"

#include "core/Formato.h"
#include "meter/Medidor.h"
#include "platform/FormatoLocal.h"
#include "platform/IniSettingsStore.h"

#include <QDate>
#include <QTime>
#include <ctime>

namespace LineaComandos {

namespace {

// A call is priced up to a year long; longer numbers are refused as bad arguments.
constexpr int64_t MaximoSegundos = int64_t{366} * Fechas::SegundosPorDia;

// True when the local time zone has this date and time: not in the hour skipped when clocks go
// forward. A time that happens twice, when they go back, is taken as the first.
bool ExisteEnHoraLocal(const QDate& fecha, const QTime& hora) {
    std::tm t{};
    t.tm_year = fecha.year() - 1900;
    t.tm_mon = fecha.month() - 1;
    t.tm_mday = fecha.day();
    t.tm_hour = hora.hour();
    t.tm_min = hora.minute();
    t.tm_sec = hora.second();
    t.tm_isdst = -1;
    if (std::mktime(&t) == static_cast<std::time_t>(-1))
        return true; // outside what the system's clock counts: nothing to check against
    return t.tm_hour == hora.hour() && t.tm_min == hora.minute() && t.tm_mday == fecha.day();
}

// `existe` is false for a date and time the local time zone skips.
std::optional<Fechas::FechaHora> LeerMomento(const QString& texto, bool& existe) {
    const QString limpio = texto.simplified();
    const QDate fecha = QDate::fromString(limpio.section(' ', 0, 0), "yyyy-MM-dd");
    const QTime hora = QTime::fromString(limpio.section(' ', 1), "HH:mm:ss");
    if (!fecha.isValid() || !hora.isValid())
        return std::nullopt;
    const auto dia = Fechas::crearDia(fecha.year(), fecha.month(), fecha.day());
    if (!dia)
        return std::nullopt;
    existe = ExisteEnHoraLocal(fecha, hora);
    return Fechas::FechaHora::crear(*dia, hora.hour(), hora.minute(), hora.second());
}

// The IVA and negotiation settings, or the options that replace them; MalUso after saying why.
int LeerAjustes(Orden& o, const QCommandLineOption& iva, const QCommandLineOption& negociacion,
                General::EstadoPrograma& estado) {
    const IniSettingsStore ajustes;
    estado.IncluirIVA = Byte(ajustes, General::Ajustes::IVA);
    estado.PorcentajeIVA = Byte(ajustes, General::Ajustes::CuantoIVA);
    estado.SegundosNegociacion = Byte(ajustes, General::Ajustes::Negociacion);
    for (const auto& [opcion, destino] : {std::pair{&iva, &estado.PorcentajeIVA},
                                          std::pair{&negociacion, &estado.SegundosNegociacion}}) {
        if (!o.parser.isSet(*opcion))
            continue;
        const auto valor = Natural(o.parser.value(*opcion), 255);
        if (!valor)
            return o.consola.MalUso(
                QString::fromUtf8("--%1 debe ser un número entero de 0 a 255, no «%2»")
                    .arg(opcion->names().constFirst(), o.parser.value(*opcion)));
        *destino = static_cast<uint8_t>(*valor);
    }
    if (o.parser.isSet(iva))
        estado.IncluirIVA = 1;
    return Exito;
}

// The meter's own reading at `segundos` seconds after the call was seen to start at `inicio`,
// as text or JSON.
int Escribir(Orden& o, General::EstadoPrograma& estado, const Fechas::FechaHora& inicio,
             int64_t segundos) {
    const char separador = FormatoLocal::SeparadorDecimal();
    const int32_t segundoInicio = Fechas::SegundosDelDia(inicio) - estado.SegundosNegociacion;
    const Medidor::LecturaMedidor lectura =
        Medidor::Calcular(estado, inicio.dia, segundoInicio, segundos + estado.SegundosNegociacion);
    const Medidor::Pantalla p = Medidor::Textos(lectura, separador);
    const int32_t facturados = estado.llamada.SegundosFacturados;
    const Moneda importe = lectura.importe;

    if (o.json) {
        o.consola.Json(QJsonObject{{"importe", Importe4(importe)},
                                   {"pesetas", Importe4(importe)},
                                   {"euros", DosDecimales(importe.aDouble() / 166.386)},
                                   {"segundos_facturados", facturados},
                                   {"duracion", Q(p.Label7)}});
        return Exito;
    }
    o.consola.out << "Segundos facturados: " << facturados << "\n"
                  << "Importe en euros: " << Q(p.Label1) << "\n"
                  << "Importe en pesetas: " << Q(p.Label6) << "\n"
                  << QString::fromUtf8("Duración: ") << Q(p.Label7) << "\n";
    return Exito;
}

} // namespace

int Precio(Orden& o, const QCommandLineOption& iva, const QCommandLineOption& negociacion) {
    if (o.argumentos.size() != 3)
        return o.consola.MalUso(
            QString::fromUtf8("«precio» necesita TIPO, \"AAAA-MM-DD HH:MM:SS\" y SEGUNDOS"));
    const QString tipo = o.argumentos[0];
    Tarifas::Catalogo catalogo = CargarPlanes(o);
    if (!catalogo.BuscarTipo(tipo.toStdString())) {
        QStringList tipos;
        for (const Tarifas::Plan& plan : catalogo.planes)
            for (const Tarifas::TipoPlan& t : plan.tipos)
                tipos << Q(t.nombre);
        return o.consola.MalUso(
            QString::fromUtf8("tipo de llamada desconocido «%1»; los tipos son: %2")
                .arg(tipo, tipos.join(", ")));
    }
    const auto segundos = Natural(o.argumentos[2], MaximoSegundos);
    if (!segundos)
        return o.consola.MalUso(QString::fromUtf8("SEGUNDOS no válido: debe ser un número entero "
                                                  "de 0 a %1, no «%2»")
                                    .arg(MaximoSegundos)
                                    .arg(o.argumentos[2]));

    General::EstadoPrograma estado;
    estado.catalogo = std::move(catalogo);
    estado.TipoLlamada = tipo.toStdString();
    if (const int salida = LeerAjustes(o, iva, negociacion, estado); salida != Exito)
        return salida;
    bool existe = true;
    const auto inicio = LeerMomento(o.argumentos[1], existe);
    if (!inicio)
        return o.consola.Fallo(
            QString::fromUtf8("«%1» no es una fecha y hora válida (AAAA-MM-DD HH:MM:SS).")
                .arg(o.argumentos[1]));
    if (!existe)
        return o.consola.Fallo(QString::fromUtf8("«%1» no existe en la hora local: el reloj "
                                                 "salta esa hora al adelantarse.")
                                   .arg(o.argumentos[1]));

    return Escribir(o, estado, *inicio, *segundos);
}

} // namespace LineaComandos

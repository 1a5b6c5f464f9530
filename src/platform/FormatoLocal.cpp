// Locale texts of call fields, from QLocale's default locale.
#include "platform/FormatoLocal.h"

#include "calllog/Totales.h"
#include "core/Formato.h"

#include <QLocale>
#include <QTime>

namespace FormatoLocal {

namespace {
// The locale's short time form with seconds added where it has none ("H:mm" -> "H:mm:ss").
QString FormatoHora() {
    QString formato = QLocale().timeFormat(QLocale::ShortFormat);
    if (!formato.contains('s')) {
        const int minutos = formato.indexOf("mm");
        if (minutos >= 0)
            formato.insert(minutos + 2, ":ss");
    }
    return formato;
}

QTime ATime(int64_t segundos) {
    return QTime(0, 0).addSecs(static_cast<int>(segundos % Fechas::SegundosPorDia));
}
} // namespace

QDate ADate(Fechas::Dia dia) {
    return QDate(1899, 12, 30).addDays(Fechas::aSerial(dia));
}

QString Fecha(Fechas::Dia dia) {
    return QLocale().toString(ADate(dia), QLocale::ShortFormat);
}

QString Hora(int32_t segundoDelDia) {
    return QLocale().toString(ATime(segundoDelDia), FormatoHora());
}

QString Duracion(int64_t segundos) {
    if (segundos >= 0 && segundos < Fechas::SegundosPorDia)
        return Hora(static_cast<int32_t>(segundos));
    return QString::fromStdString(General::FormatoDuracion(segundos));
}

QString Valor(Fechas::ValorFecha v) {
    if (!v.conHora())
        return Fecha(v.dia());
    if (!v.conDia())
        return Hora(v.segundo());
    return Fecha(v.dia()) + " " + Hora(v.segundo());
}

QString Duracion(Fechas::ValorFecha v) {
    return v.segundos() >= 0 ? Duracion(v.segundos()) : Valor(v);
}

QString Tarifa(std::string_view bytes) {
    return QString::fromStdString(Codificacion::TextoVisible(bytes));
}

QString Importe(Moneda importe) {
    return QString::fromStdString(Registro::TextoImporte(importe, SeparadorDecimal()));
}

QString FechaHora(const Fechas::FechaHora& momento) {
    return Fecha(momento.dia) + " " + Hora(momento.segundo);
}

char SeparadorDecimal() {
    return SeparadorDecimal(QLocale().decimalPoint());
}

// One byte of text that is not valid UTF-8 alone would garble the labels it goes into.
char SeparadorDecimal(const QString& marca) {
    return marca.size() == 1 && marca[0].unicode() < 128 ? marca[0].toLatin1() : '.';
}

Registro::FormaLocal Forma() {
    Registro::FormaLocal forma;
    forma.separadorDecimal = SeparadorDecimal();
    const QString f = QLocale().dateFormat(QLocale::ShortFormat);
    const qsizetype d = f.indexOf('d'), m = f.indexOf('M'), y = f.indexOf('y');
    if (y >= 0 && y < m && m < d)
        forma.ordenFecha = Registro::OrdenFecha::AnioMesDia;
    else if (m >= 0 && m < d)
        forma.ordenFecha = Registro::OrdenFecha::MesDiaAnio;
    return forma;
}

Registro::FormatoListado Listado() {
    Registro::FormatoListado f;
    f.fecha = [](Fechas::ValorFecha v) { return Valor(v).toStdString(); };
    f.duracion = [](Fechas::ValorFecha v) { return Duracion(v).toStdString(); };
    f.separadorDecimal = SeparadorDecimal();
    return f;
}

} // namespace FormatoLocal

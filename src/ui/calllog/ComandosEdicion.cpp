// Form6's edit commands: "Modificar celda", "Eliminar llamada", "Cambiar fuente".
#include "ui/calllog/VentanaLlamadas.h"

#include "calllog/EdicionCelda.h"
#include "calllog/Totales.h"
#include "platform/FormatoLocal.h"
#include "platform/Prompts.h"
#include "ui/calllog/ModeloLlamadas.h"

#include <QHeaderView>
#include <QLocale>
#include <QTableView>
#include <algorithm>
#include <cmath>

namespace {

// The user's short date with a four-digit year ("15/3/1925").
QString FechaCuatroCifras(Fechas::Dia dia) {
    QString formato = QLocale().dateFormat(QLocale::ShortFormat);
    if (!formato.contains("yyyy"))
        formato.replace("yy", "yyyy");
    return QLocale().toString(FormatoLocal::ADate(dia), formato);
}

} // namespace

void Form6::ModificarCelda() {
    const int fila = FilaActual();
    const int columna = ColumnaActual();
    if (fila == 0 || columna == 0)
        return;
    const QString actual = Modelo->TextoCelda(fila - 1, columna);
    const QString inicial = TextoInicial(fila, columna);
    const auto respuesta = servicios_.avisos.inputText(
        this,
        QString::fromStdString(Registro::TituloModificar(actual.toStdString(), fila, columna)),
        "Introduzca el nuevo valor", inicial);
    if (!respuesta || respuesta->isEmpty())
        return;
    std::string valor = respuesta->toStdString();
    if (columna == 6) {
        // A call type goes to the file in the encoding of the file's other call types.
        std::string sinSitio;
        auto bytes = Codificacion::Codificar(valor, textoUtf8_, sinSitio);
        if (!bytes) {
            AvisoCritico(QString::fromUtf8("El carácter «%1» no se puede guardar en este archivo, "
                                           "cuyo texto está en Windows-1252.")
                             .arg(QString::fromStdString(sinSitio)));
            return;
        }
        valor = std::move(*bytes);
    }
    // The offered text taken unchanged keeps the value, even one that no typed text gives (a
    // date with its time).
    const Llamada& llamada = ListaLlamadas()[static_cast<size_t>(fila - 1)];
    const auto nueva = *respuesta == inicial
                           ? std::optional(llamada)
                           : Registro::AplicarValor(llamada, columna, valor, FormatoLocal::Forma());
    const QString noValido = QString::fromUtf8("El valor \"%1\" no es válido para la columna %2.")
                                 .arg(*respuesta, QString::fromUtf8(Registro::Cabecera(columna)));
    if (!nueva) {
        AvisoCritico(noValido);
        return;
    }
    std::vector<Llamada> lista = ListaLlamadas();
    lista[static_cast<size_t>(fila - 1)] = *nueva;
    // An amount that the totals could not add up is refused, unless they already could not.
    if (Registro::CalcularTotales(lista).desborde &&
        !Registro::CalcularTotales(ListaLlamadas()).desborde) {
        AvisoCritico(
            noValido + "\n" +
            QString::fromStdString(Registro::TextoDesborde(FormatoLocal::SeparadorDecimal())));
        return;
    }
    GuardarArchivo(lista);
    RedibujarGraficos();
}

QString Form6::TextoInicial(int fila, int columna) const {
    const QString texto = Modelo->TextoCelda(fila - 1, columna);
    const Llamada& llamada = ListaLlamadas()[static_cast<size_t>(fila - 1)];
    // Accepting the default must store what is there: a two-digit year that would read back in
    // another century (1925 as 2025) is offered with four digits.
    if (columna == 1 && !llamada.Fecha.conHora() &&
        Registro::AplicarValor(llamada, columna, texto.toStdString(), FormatoLocal::Forma()) !=
            llamada)
        return FechaCuatroCifras(llamada.Fecha.dia());
    return texto;
}

void Form6::EliminarLlamada() {
    const int fila = FilaActual();
    if (fila == 0) {
        Pitido(QString::fromUtf8("Elija primero la llamada que desea eliminar."));
        return;
    }
    if (servicios_.avisos.question(
            this, Titulo, QString::fromUtf8("¿Desea realmente eliminar la llamada %1?").arg(fila),
            false)) {
        std::vector<Llamada> lista = ListaLlamadas();
        lista.erase(lista.begin() + (fila - 1));
        GuardarArchivo(lista);
    }
    RedibujarGraficos();
}

void Form6::CambiarFuente() {
    const auto elegida = servicios_.avisos.font(this, Flex->font());
    if (!elegida)
        return;
    Flex->setFont(*elegida);
    Flex->verticalHeader()->setDefaultSectionSize(Flex->fontMetrics().height() + 4);
    FuenteGrid = elegida->family();
    // Halves go to the even neighbour: 10.5 points are stored as 10.
    TamanoFuente = static_cast<int>(std::clamp(std::nearbyint(elegida->pointSizeF()), 0.0, 255.0));
    auto guardar = [this](const General::Ajuste& ajuste, const std::string& valor) {
        return servicios_.ajustes.write(General::Aplicacion, ajuste.seccion, ajuste.clave, valor);
    };
    const bool guardada = guardar(General::Ajustes::Fuente, FuenteGrid.toStdString()) &&
                          guardar(General::Ajustes::FontSize, std::to_string(TamanoFuente));
    if (!guardada)
        AvisoCritico(QString::fromUtf8("No se ha podido guardar la fuente elegida."));
}

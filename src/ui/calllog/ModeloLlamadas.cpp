// ModeloLlamadas: seven columns over the loaded calls, texts made only for the cells painted.
#include "ui/calllog/ModeloLlamadas.h"

#include "calllog/EdicionCelda.h"
#include "platform/FormatoLocal.h"
#include "tariffs/Planes.h"
#include "ui/calllog/ComandosEstadistica.h"
#include "ui/common/Controles.h"
#include "ui/tariffs/VisorTarifas.h"

#include <QBrush>
#include <algorithm>
#include <climits>

ModeloLlamadas::ModeloLlamadas(const Tarifas::Catalogo& catalogo, QObject* padre)
    : QAbstractTableModel(padre), catalogo_(catalogo) {}

void ModeloLlamadas::Cargar(std::vector<Llamada> llamadas) {
    beginResetModel();
    llamadas_ = std::move(llamadas);
    endResetModel();
}

void ModeloLlamadas::setColorear(bool activar) {
    colorear_ = activar;
    if (!llamadas_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, Registro::ColumnasGrid - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole, Qt::ToolTipRole});
}

QString ModeloLlamadas::TextoCelda(int fila, int columna) const {
    if (fila < 0 || fila >= rowCount())
        return {};
    const Llamada& l = llamadas_[static_cast<size_t>(fila)];
    switch (columna) {
    case 0:
        return QString::number(fila + 1);
    case 1:
        return FormatoLocal::Valor(l.Fecha);
    case 2:
        return FormatoLocal::Valor(l.Hora);
    case 3:
        return FormatoLocal::Duracion(l.Duracion);
    case 4:
        return QString::number(l.Segundos);
    case 5:
        return FormatoLocal::Importe(l.Importe);
    case 6:
        return FormatoLocal::Tarifa(l.Tarifa);
    default:
        return {};
    }
}

int ModeloLlamadas::rowCount(const QModelIndex& padre) const {
    // A view of more rows than an int can count shows the first ones.
    return padre.isValid() ? 0 : static_cast<int>(std::min<size_t>(llamadas_.size(), INT_MAX));
}

int ModeloLlamadas::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : Registro::ColumnasGrid;
}

QVariant ModeloLlamadas::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    if (rol == Qt::DisplayRole)
        return TextoCelda(indice.row(), indice.column());
    const Llamada& llamada = llamadas_[static_cast<size_t>(indice.row())];
    // The text colour goes with the forced background, so a dark theme keeps it readable.
    const QColor fondo = colorear_ ? Estadistica::ColorFila(llamada, catalogo_) : Qt::white;
    if (rol == Qt::BackgroundRole)
        return QBrush(fondo);
    if (rol == Qt::ForegroundRole)
        return QBrush(TextoSobre(fondo));
    // The band a colour stands for, in words.
    if (rol == Qt::ToolTipRole && colorear_) {
        const Tarifas::FranjaPlan* franja = Tarifas::FranjaPlanDe(
            catalogo_, llamada.Hora.hora(), llamada.Fecha.dia(), llamada.Tarifa);
        return franja ? Form8::NombreFranja(franja->nombre) : QVariant();
    }
    return {};
}

QVariant ModeloLlamadas::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole)
        return QString::fromUtf8(Registro::Cabecera(seccion));
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

// ModeloLlamadas: seven columns over the loaded calls, texts made only for the cells painted.
#include "ui/calllog/ModeloLlamadas.h"

#include "calllog/EdicionCelda.h"
#include "platform/FormatoLocal.h"
#include "ui/calllog/ComandosEstadistica.h"

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
                         {Qt::BackgroundRole});
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
    if (rol == Qt::BackgroundRole) {
        if (!colorear_)
            return QBrush(Qt::white);
        return QBrush(
            Estadistica::ColorFila(llamadas_[static_cast<size_t>(indice.row())], catalogo_));
    }
    return {};
}

QVariant ModeloLlamadas::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole)
        return QString::fromUtf8(Registro::Cabecera(seccion));
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

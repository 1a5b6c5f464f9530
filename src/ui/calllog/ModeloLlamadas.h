// ModeloLlamadas: the table model of `ListaLlamadas` behind the grid `Flex`; cells formatted
// lazily.
#pragma once

#include "calllog/Llamada.h"

#include <QAbstractTableModel>
#include <vector>

namespace Tarifas {
struct Catalogo;
}

class ModeloLlamadas : public QAbstractTableModel {
    Q_OBJECT
public:
    // `catalogo` gives the band colours and outlives the model.
    explicit ModeloLlamadas(const Tarifas::Catalogo& catalogo, QObject* padre = nullptr);

    // Replaces the calls shown; grid row i (0-based) is call i + 1.
    void Cargar(std::vector<Llamada> llamadas);
    const std::vector<Llamada>& ListaLlamadas() const { return llamadas_; }

    // Rows in the band colour of each call (ColorFila) while set, white otherwise.
    void setColorear(bool activar);
    bool colorear() const { return colorear_; }

    // Display text of a cell: call number, then the six fields in the user's locale.
    QString TextoCelda(int fila, int columna) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    const Tarifas::Catalogo& catalogo_;
    std::vector<Llamada> llamadas_;
    bool colorear_ = false;
};

// ComboNombrado: a combo box that assistive technology knows by its label, not by its value.
#pragma once

#include <QComboBox>

// Qt names a combo box by its current text on Linux; this one is named by its accessible name
// (what it is for) and gives its current text as its value.
class ComboNombrado : public QComboBox {
    Q_OBJECT
public:
    explicit ComboNombrado(const QString& nombre, QWidget* padre = nullptr);
};

// ComboNombrado and its accessible interface.
#include "ui/common/ComboNombrado.h"

#include <QAccessibleWidget>

namespace {

class Accesible : public QAccessibleWidget {
public:
    explicit Accesible(QComboBox* c) : QAccessibleWidget(c, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& accion) override {
        if (accion == showMenuAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(accion);
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* Fabrica(const QString& clase, QObject* objeto) {
    return clase == "ComboNombrado" ? new Accesible(static_cast<QComboBox*>(objeto)) : nullptr;
}

} // namespace

ComboNombrado::ComboNombrado(const QString& nombre, QWidget* padre) : QComboBox(padre) {
    QAccessible::installFactory(Fabrica);
    setAccessibleName(nombre);
}

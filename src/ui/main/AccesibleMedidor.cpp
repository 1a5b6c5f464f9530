// Accessible interfaces of the main window and its period bar, and the band's name.
#include "ui/main/AccesibleMedidor.h"

#include "ui/main/BarraPeriodo.h"

#include <QAccessibleWidget>
#include <QLocale>

namespace Accesible {

namespace {

// A top-level window is a frame; its name follows the caption, minimised or not (the caption
// then carries the running call's summary).
class Ventana : public QAccessibleWidget {
public:
    explicit Ventana(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

// The period bar: a progress bar whose value is the share of the period gone, 0 to 100; its
// description is its tool tip (the budget, when there is one).
class Barra : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit Barra(BarraPeriodo* w) : QAccessibleWidget(w, QAccessible::ProgressBar) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return "Progreso del periodo";
        if (t == QAccessible::Value)
            return QLocale().toString(qRound(porcentaje())) + " %";
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return porcentaje(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    double porcentaje() const { return static_cast<BarraPeriodo*>(widget())->porcentaje; }
};

QAccessibleInterface* Fabrica(const QString& clase, QObject* objeto) {
    if (clase == "Form1" && objeto->isWidgetType())
        return new Ventana(static_cast<QWidget*>(objeto));
    if (clase == "BarraPeriodo")
        return new Barra(static_cast<BarraPeriodo*>(objeto));
    return nullptr;
}

} // namespace

void InstalarMedidor() {
    QAccessible::installFactory(Fabrica);
}

QString TextoFranja(const Tarifas::Catalogo& catalogo, int hora, Fechas::Dia fecha,
                    std::string_view tipo) {
    const Tarifas::Plan* plan = nullptr;
    const Tarifas::TipoPlan* t = catalogo.BuscarTipo(tipo, &plan);
    if (!t || hora < 0 || hora > 23)
        return {};
    const int32_t segundo = hora * 3600;
    const auto dia = Tarifas::TipoDiaPlan(*plan, Fechas::aSerial(fecha));
    for (const Tarifas::TramoPlan& r : t->tramos[Tarifas::Indice(dia)]) {
        if (segundo < r.desde || segundo > r.hasta)
            continue;
        const std::string& nombre = t->franjas[r.franja].nombre;
        if (nombre == "punta")
            return "Horario punta";
        if (nombre == "normal")
            return "Horario normal";
        if (nombre == "reducida")
            return "Horario reducido";
        return QString::fromStdString(nombre);
    }
    return {};
}

} // namespace Accesible

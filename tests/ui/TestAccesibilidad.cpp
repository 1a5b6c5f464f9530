// Accessibility of the main window and its dialogs under a dark palette and a large font: names,
// keyboard routes, the band in words, the period bar's value, contrast, whole lettering.
#include "BancoVentanaLlamadas.h"
#include "support/Tablas.h"
#include "ui/main/VentanaMedidor.h"
#include "ui/options/OpcionesDialog.h"
#include "ui/period/PeriodoDialog.h"
#include "ui/tariffs/VisorTarifas.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleFactory>

#include <cmath>
#include <span>

// The WCAG 2.1 contrast ratio of a rendered text: its corner is the background, and the text the
// pixel that differs most from it (a glyph's core, not its edge).
static double ContrasteTexto(const QImage& imagen) {
    const auto luz = [](QColor c) { // relative luminance, plus the 0.05 of flare
        double l = 0.05;
        for (auto [v, peso] :
             {std::pair{c.redF(), 0.2126}, {c.greenF(), 0.7152}, {c.blueF(), 0.0722}})
            l += peso * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        return l;
    };
    const auto* p = reinterpret_cast<const QRgb*>(imagen.constBits()); // 32 bits a pixel
    const double fondo = luz(p[0]);
    double mejor = 1;
    for (QRgb c : std::span(p, imagen.width() * imagen.height()))
        mejor = std::max({mejor, luz(c) / fondo, fondo / luz(c)});
    return mejor;
}

const QSet<QAccessible::Role> Interactivos{
    QAccessible::PushButton, QAccessible::CheckBox,   QAccessible::RadioButton,
    QAccessible::ComboBox,   QAccessible::SpinBox,    QAccessible::EditableText,
    QAccessible::PageTab,    QAccessible::ButtonMenu, QAccessible::Slider};

// A window, what a walk of its accessible tree finds ('|'-separated), and its widgets whose forced
// backgrounds must keep their text readable under a dark palette (WCAG AA, 4.5:1).
struct Ventana {
    const char* fila; // the window's class
    QString visto;
    QStringList oscuras = {};
};

Q_DECLARE_METATYPE(Ventana)

class TestAccesibilidad : public QObject, ServiciosFalsos {
    Q_OBJECT

    QTemporaryDir dir_;
    General::EstadoPrograma estado_;
    VentanaFalsa ventana_;
    QStringList abiertas_, visto_, nombres_;

    std::unique_ptr<QWidget> Abrir(const QString& ventana) {
        if (ventana == "Form3")
            return std::make_unique<Form3>(servicios, estado_, ventana_);
        if (ventana == "Form10")
            return std::make_unique<Form10>(servicios, ventana_);
        if (ventana == "Form6")
            return std::make_unique<Form6>(servicios, estado_);
        if (ventana == "Form8")
            return std::make_unique<Form8>(servicios, estado_);
        auto f = std::make_unique<Form1>(servicios, estado_, Anotadas(abiertas_));
        f->Form_Load();
        return f;
    }

    // Notes faults (a path, or "path: fault"), "barra" for a valued progress bar, band
    // descriptions' paths, "T" for a toolbar command (reached by Tab, its key in its tip).
    void Recorrer(QAccessibleInterface* i, const QString& camino = {}) {
        const QString nombre = i->text(QAccessible::Name);
        const QString aqui = camino + "/" + (i->object() ? i->object()->objectName() : nombre);
        // A control's name says what it is for: words, not its value, and no two controls alike.
        const bool control = Interactivos.contains(i->role()) &&
                             !(i->object() && i->object()->objectName().startsWith("qt_"));
        if (control) {
            if (!nombre.contains(QRegularExpression("\\w")) || nombres_.contains(nombre) ||
                (i->role() == QAccessible::ComboBox && nombre == i->text(QAccessible::Value)))
                visto_ << aqui + ": nombre \"" + nombre + "\"";
            nombres_ << nombre;
        }
        if (auto* v = i->valueInterface(); i->role() == QAccessible::ProgressBar)
            visto_ << (v && v->maximumValue() != v->minimumValue() ? "barra" : aqui);
        if (i->text(QAccessible::Description).startsWith("Horario"))
            visto_ << aqui;
        if (auto* w = qobject_cast<QWidget*>(i->object());
            control && w && i->parent() && i->parent()->role() == QAccessible::ToolBar)
            visto_ << (i->state().focusable && w->toolTip().endsWith(')') ? "T" : aqui);
        for (int n = 0; n < i->childCount(); ++n)
            Recorrer(i->child(n), aqui);
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        servicios.carpetaDatos = dir_.path(); // a log of two calls, the second one current
        Escribir(dir_.filePath("llamadas.ldx"),
                 {Crear(15, 10, 60, 60, "11.4"), Crear(15, 11, 60, 60, "11.4")});
        reloj.poner(1999, 3, 15, 10, 0, 0); // Monday, a punta hour
        QVERIFY(General::ValoresPorDefecto(ajustes, reloj.t.dia, dir_.path().toStdString()));
        General::Escribir(ajustes, General::Ajustes::AlAbrir, "Normal");
        General::Escribir(ajustes, General::Ajustes::FechaInicio, "1/3/1999");
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QPalette oscura(QColor(53, 53, 53)); // a dark theme, its text derived white
        oscura.setColor(QPalette::Base, QColor(42, 42, 42));
        QApplication::setPalette(oscura);
        QFont grande = QApplication::font(); // and a 200% font
        grande.setPointSizeF(grande.pointSizeF() * 2);
        QApplication::setFont(grande);
    }
    void cleanup() { Comprobar(); }

    // One walk through each window's accessible tree: what it finds, in tree order.
    void recorrido_data() {
        tabla<Ventana>({
            {"Form1", "/Form1/Fondo|barra|/Form1/Status|T|T|T|T|T", {"Label4", "Label7"}},
            {"Form3", ""},
            {"Form10", "", {"Label3", "Label(15)", "Label(16)", "Fechas(0)"}},
            {"Form6", "T|T|T|T|T|T|T|T|T|T|T|T|T|T", {"Flex"}},
            {"Form8", "/Form8/Label5|/Form8/Label6|/Form8/Label7", {"Label13"}},
        });
    }
    void recorrido() {
        const auto& c = fila<Ventana>();
        const std::unique_ptr<QWidget> w = Abrir(c.fila);
        w->show();
        visto_ = nombres_ = {};
        Recorrer(QAccessible::queryAccessibleInterface(w.get()));
        QCOMPARE(visto_.join('|'), c.visto);
        for (const QString& nombre : c.oscuras) {
            auto* l =
                w->findChild<QWidget*>(nombre); // the pixels under its text (a grid: a date's)
            QVERIFY2(l, qPrintable(nombre));
            auto* vista = qobject_cast<QAbstractItemView*>(l);
            QWidget* sobre = vista ? vista->viewport() : l;
            const QRect r =
                vista ? vista->visualRect(vista->model()->index(0, 1)).adjusted(2, 2, -2, -2)
                      : l->contentsRect();
            const double ratio = ContrasteTexto(
                w->grab(QRect(sobre->mapTo(w.get(), r.topLeft()), r.size())).toImage());
            QVERIFY2(ratio >= 4.5, qPrintable(nombre + ": " + QString::number(ratio)));
        }
        // A status bar's panels show their whole lettering, and the meter above stays where it was.
        for (auto* barra : w->findChildren<QStatusBar*>()) {
            barra->layout()->activate();
            for (auto* p : barra->findChildren<QLabel*>())
                QVERIFY(p->contentsRect().height() >= p->fontMetrics().height());
            QVERIFY(barra->geometry().bottom() < w->height());
            QCOMPARE(w->findChild<QWidget*>("Fondo")->geometry(), QRect(0, 40, 282, 145));
        }
        for (auto* b : w->findChildren<QPushButton*>()) // in a dialog Intro accepts
            QVERIFY2(b->text() != "Aceptar" || b->isDefault(), "Intro no acepta");
    }

    // The main window's commands in Tab order from "Iniciar": the key each one's tip names does it.
    void atajos() {
        const auto w = Abrir("Form1");
        auto* f = static_cast<Form1*>(w.get());
        QApplication::setActiveWindow(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        const auto hecho = [&] { return abiertas_.join(',') + avisos.mostrados.value(0).titulo; };
        QStringList vistos; // from "Iniciar", the first focus
        while (vistos.size() < 6) {
            const QString tip = QApplication::focusWidget()->toolTip();
            abiertas_ = {}, avisos.mostrados = {};
            QTest::keySequence(f, QKeySequence(tip.section('(', -1).chopped(1)));
            QVERIFY(QTest::qWaitFor([&] { return f->LlamadaEnCurso() || !hecho().isEmpty(); }));
            vistos << tip + " " + (f->LlamadaEnCurso() ? "llamada" : hecho());
            if (f->LlamadaEnCurso())
                f->Command1_Click();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(vistos,
                 (QStringList{"Iniciar (Alt+I) llamada", "Opciones (Alt+O) opciones",
                              "Llamadas (Alt+L) llamadas", "Periodo (Alt+P) periodo",
                              "Tarifas (Alt+T) tarifas", "Sobre ... (Alt+S) Acerca de ..."}));
    }
};

QTEST_MAIN(TestAccesibilidad)
#include "TestAccesibilidad.moc"

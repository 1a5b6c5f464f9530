// Accessibility of the main window and the dialogs it opens, under a dark palette and a large font:
// names, keyboard routes, the band in words, the period bar's value, contrast, whole lettering.
#include "calllog/ArchivoLlamadas.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "support/Tablas.h"
#include "ui/calllog/VentanaLlamadas.h"
#include "ui/common/VentanaPrincipal.h"
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
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <map>

namespace {

// The WCAG 2.1 contrast ratio of a rendered widget's text: the most frequent colour is the
// background, and the text the pixel that differs most from it (a glyph's core, not its edge).
double ContrasteTexto(const QImage& imagen) {
    const auto luminancia = [](QColor c) { // relative, plus the 0.05 of flare
        const auto canal = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF()) +
               0.05;
    };
    std::map<QRgb, int> cuenta;
    QRgb fondo = imagen.pixel(0, 0);
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            if (const QRgb p = imagen.pixel(x, y); ++cuenta[p] > cuenta[fondo])
                fondo = p;
    double mejor = 1;
    for (const auto& [color, n] : cuenta) {
        const double a = luminancia(fondo), b = luminancia(color);
        mejor = std::max(mejor, std::max(a, b) / std::min(a, b));
    }
    return mejor;
}

const QSet<QAccessible::Role> Interactivos{
    QAccessible::PushButton, QAccessible::CheckBox,   QAccessible::RadioButton,
    QAccessible::ComboBox,   QAccessible::SpinBox,    QAccessible::EditableText,
    QAccessible::PageTab,    QAccessible::ButtonMenu, QAccessible::Slider};

class FakeVentana : public VentanaPrincipal {
public:
    void AutodeteccionActiva(bool) override {}
    void DibujarProgreso() override {}
    bool LlamadaEnCurso() const override { return false; }
};

// A window, what a walk of its accessible tree finds ('|'-separated), and its widgets whose forced
// backgrounds must keep their text readable under a dark palette (WCAG AA, 4.5:1).
struct Ventana {
    const char* fila;
    QString ventana, visto;
    QStringList oscuras = {};
};

} // namespace
Q_DECLARE_METATYPE(Ventana)

class TestAccesibilidad : public QObject, ServiciosFalsos {
    Q_OBJECT

    QTemporaryDir dir_;
    General::EstadoPrograma estado_;
    FakeVentana ventana_;
    QStringList abiertas_;

    // Every window the tests cover, by name: a new window is one more branch and one more row.
    std::unique_ptr<QWidget> Abrir(const QString& ventana) {
        if (ventana == "Form3")
            return std::make_unique<Form3>(servicios, estado_, ventana_);
        if (ventana == "Form10")
            return std::make_unique<Form10>(servicios, ventana_);
        if (ventana == "Form6") { // with two calls in its grid, the second one current
            const auto log = dir_.filePath("llamadas.ldx").toStdString();
            for (int hora = 10; ArchivoLlamadas::Leer(log).llamadas.size() < 2; ++hora)
                ArchivoLlamadas::Anadir(log,
                                        Llamada(*Fechas::crearDia(1999, 3, 15), hora * 3600, 60, 60,
                                                *Moneda::desdeTexto("11.4"), "Metropolitana"));
            return std::make_unique<Form6>(servicios, estado_);
        }
        if (ventana == "Form8")
            return std::make_unique<Form8>(servicios, estado_);
        Ventanas v;
        for (auto [abrir, nombre] : {std::pair{&Ventanas::llamadas, "llamadas"},
                                     {&Ventanas::opciones, "opciones"},
                                     {&Ventanas::periodo, "periodo"},
                                     {&Ventanas::tarifas, "tarifas"}})
            v.*abrir = [this, nombre](QWidget*) { abiertas_ << nombre; };
        auto f = std::make_unique<Form1>(servicios, estado_, v);
        f->Form_Load();
        return f;
    }

    // Walks an accessible tree: faults ("path: fault"), "barra" for a valued progress bar, paths of
    // descriptions naming a band, names of toolbar commands reached by Tab and a key in the
    // tooltip.
    static void Recorrer(QAccessibleInterface* i, QStringList& visto, QStringList& nombres,
                         const QString& camino = {}) {
        const QString nombre = i->text(QAccessible::Name);
        const QString aqui = camino + "/" + (i->object() ? i->object()->objectName() : nombre);
        const bool control = Interactivos.contains(i->role()) &&
                             !(i->object() && i->object()->objectName().startsWith("qt_"));
        // A name says what the control is for: words, not its value, and no two controls alike.
        if (control &&
            (!nombre.contains(QRegularExpression("\\w")) || nombres.contains(nombre) ||
             (i->role() == QAccessible::ComboBox && nombre == i->text(QAccessible::Value))))
            visto << aqui + ": nombre \"" + nombre + "\"";
        if (control)
            nombres << nombre;
        if (i->role() == QAccessible::ProgressBar) {
            auto* v = i->valueInterface();
            visto << (v && v->currentValue().isValid() &&
                              v->maximumValue().toDouble() > v->minimumValue().toDouble()
                          ? "barra"
                          : aqui + ": barra sin valor");
        }
        if (i->text(QAccessible::Description).startsWith("Horario"))
            visto << aqui;
        if (control && i->parent() && i->parent()->role() == QAccessible::ToolBar) {
            auto* acciones = i->actionInterface();
            const QStringList teclas =
                acciones ? acciones->keyBindingsForAction(QAccessibleActionInterface::pressAction())
                         : QStringList();
            auto* w = qobject_cast<QWidget*>(i->object());
            const bool ruta = i->state().focusable && !teclas.isEmpty() && w &&
                              w->toolTip().contains(teclas.value(0));
            visto << (ruta ? nombre : aqui + ": sin Tab, atajo o atajo en su ayuda");
        }
        for (int n = 0; n < i->childCount(); ++n)
            Recorrer(i->child(n), visto, nombres, aqui);
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QVERIFY(dir_.isValid());
        servicios.carpetaDatos = dir_.path();
        reloj.poner(1999, 3, 15, 10, 0, 0); // Monday, a punta hour
        QVERIFY(General::ValoresPorDefecto(ajustes, reloj.t.dia, dir_.path().toStdString()));
        General::Escribir(ajustes, General::Ajustes::AlAbrir, "Normal");
        General::Escribir(ajustes, General::Ajustes::FechaInicio, "1/3/1999");
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QPalette oscura(QColor(53, 53, 53)); // a dark theme: light text on dark grounds
        oscura.setColor(QPalette::Base, QColor(42, 42, 42));
        oscura.setColor(QPalette::Text, Qt::white);
        oscura.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(oscura);
        QFont grande = QApplication::font(); // and a 200% font
        grande.setPointSizeF(grande.pointSizeF() * 2);
        QApplication::setFont(grande);
    }
    void cleanup() { QVERIFY2(avisos.errores.isEmpty(), qPrintable(avisos.errores.join('\n'))); }

    // One walk through each window's accessible tree: what it finds, in tree order. A main window
    // is a frame named by its caption; in a dialog Intro accepts and Escape closes.
    void recorrido_data() {
        tabla<Ventana>({
            {"principal",
             "Form1",
             "/Form1/Fondo|barra|/Form1/Status|Opciones|Llamadas|Periodo|Tarifas|Sobre ...",
             {"Label4", "Label7"}},
            {"opciones", "Form3", ""},
            {"periodo", "Form10", "", {"Label3", "Label(15)", "Label(16)", "Fechas(0)"}},
            {"llamadas",
             "Form6",
             "Nuevo|Abrir|Guardar|Imprimir|Cambiar fuente|Modificar celda|Eliminar llamada|"
             "Regularidad|Importe por hora y día|Datos hoy|Totales|Estimado|"
             "Colorear según tarifa|Inicio",
             {"Flex"}},
            {"tarifas", "Form8", "/Form8/Label5|/Form8/Label6|/Form8/Label7", {"Label13"}},
        });
    }
    void recorrido() {
        const auto& c = fila<Ventana>();
        const std::unique_ptr<QWidget> w = Abrir(c.ventana);
        w->show();
        QAccessibleInterface* raiz = QAccessible::queryAccessibleInterface(w.get());
        QStringList hallado, nombres;
        Recorrer(raiz, hallado, nombres);
        QCOMPARE(hallado.join('|'), c.visto);
        for (const QString& nombre : c.oscuras) {
            auto* l = w->findChild<QWidget*>(nombre);
            QVERIFY2(l, qPrintable(nombre));
            // The window's pixels where the widget lies: a text over another widget is read on it.
            QRect zona(l->mapTo(w.get(), l->contentsRect().topLeft()), l->contentsRect().size());
            if (auto* vista =
                    qobject_cast<QAbstractItemView*>(l)) { // a date cell, inside its lines
                const QRect celda =
                    vista->visualRect(vista->model()->index(0, 1)).adjusted(2, 2, -2, -2);
                zona = QRect(vista->viewport()->mapTo(w.get(), celda.topLeft()), celda.size());
            }
            const double ratio = ContrasteTexto(w->grab(zona).toImage());
            QVERIFY2(ratio >= 4.5, qPrintable(nombre + ": " + QString::number(ratio)));
        }
        // A status bar's panels show their whole lettering, and the meter above stays where it was.
        for (auto* barra : w->findChildren<QStatusBar*>()) {
            barra->layout()->activate();
            for (auto* panel : barra->findChildren<QLabel*>())
                QVERIFY2(panel->contentsRect().height() >= panel->fontMetrics().height(),
                         qPrintable(panel->objectName()));
            QVERIFY(barra->geometry().bottom() < w->height());
            QCOMPARE(w->findChild<QWidget*>("Fondo")->geometry(), QRect(0, 40, 282, 145));
        }
        QVERIFY(!raiz->text(QAccessible::Name).isEmpty());
        auto* dialogo = qobject_cast<QDialog*>(w.get());
        if (!dialogo) {
            QCOMPARE(raiz->role(), QAccessible::Window);
            return;
        }
        for (auto* b : dialogo->findChildren<QPushButton*>())
            if (b->text() == "Aceptar")
                QVERIFY2(b->isDefault(), "Intro no acepta");
        QTest::keyClick(dialogo, Qt::Key_Escape);
        QVERIFY2(!dialogo->isVisible(), "Escape no cierra");
    }

    // The main window's commands in Tab order from "Iniciar": key, and what Space and the key do.
    void atajos() {
        const auto w = Abrir("Form1");
        auto* f = static_cast<Form1*>(w.get());
        QApplication::setActiveWindow(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        const auto hacer = [&](const std::function<void()>& pulsar) { // what a key did
            abiertas_.clear();
            const qsizetype antes = avisos.mostrados.size();
            pulsar();
            (void)QTest::qWaitFor([&] { // a key that does nothing leaves ""
                return !abiertas_.isEmpty() || f->LlamadaEnCurso() ||
                       avisos.mostrados.size() > antes;
            });
            QStringList r = abiertas_;
            if (f->LlamadaEnCurso()) {
                r << "llamada";
                f->Command1_Click();
            }
            for (qsizetype i = antes; i < avisos.mostrados.size(); ++i)
                r << avisos.mostrados[i].titulo;
            return r.join(',');
        };
        QStringList vistos;
        QWidget* foco = f->findChild<QPushButton*>("Command1");
        foco->setFocus();
        for (int n = 0; n < 6;
             ++n, QTest::keyClick(foco, Qt::Key_Tab), foco = QApplication::focusWidget()) {
            const QKeySequence tecla = qobject_cast<QAbstractButton*>(foco)->shortcut();
            const QString espacio = hacer([&] { QTest::keyClick(foco, Qt::Key_Space); });
            const QString atajo = hacer([&] { QTest::keySequence(f, tecla); });
            vistos << tecla.toString() + " " + (espacio == atajo ? atajo : espacio + " / " + atajo);
        }
        QCOMPARE(vistos, (QStringList{"Alt+I llamada", "Alt+O opciones", "Alt+L llamadas",
                                      "Alt+P periodo", "Alt+T tarifas", "Alt+S Acerca de ..."}));
    }
};

QTEST_MAIN(TestAccesibilidad)
#include "TestAccesibilidad.moc"

// Accessibility of the main window and the dialogs it opens: names, keyboard routes, the band in
// words, the period bar's value, contrast under a dark palette and a large font.
#include "calllog/ArchivoLlamadas.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
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
#include <QToolBar>
#include <QtTest>

#include <cmath>
#include <map>

namespace {

// WCAG 2.1 relative luminance and contrast ratio.
double Luminancia(QColor c) {
    auto canal = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
}
double Contraste(QColor a, QColor b) {
    const double la = Luminancia(a), lb = Luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text against background in a rendered widget: the most frequent colour is the background, and
// the text is the pixel that differs most from it (the core of a glyph, not its soft edge).
double ContrasteTexto(const QImage& imagen) {
    std::map<QRgb, int> cuenta;
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            ++cuenta[imagen.pixel(x, y)];
    const QColor fondo = std::max_element(cuenta.begin(), cuenta.end(), [](auto& a, auto& b) {
                             return a.second < b.second;
                         })->first;
    double mejor = 1;
    for (const auto& [color, n] : cuenta)
        mejor = std::max(mejor, Contraste(fondo, QColor(color)));
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

// What the walk of one window found.
struct Recorrido {
    QStringList faltas;
    int barras = 0;      // progress bars with a value and a range
    QStringList franjas; // descriptions that name a tariff band
    QStringList rutas;   // toolbar commands with a key route
    QStringList nombres; // of the interactive controls
};

} // namespace

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
                                        Llamada{*Fechas::crearDia(1999, 3, 15), hora * 3600, 60, 60,
                                                *Moneda::desdeTexto("11.4"), "Metropolitana"});
            return std::make_unique<Form6>(servicios, estado_);
        }
        if (ventana == "Form8")
            return std::make_unique<Form8>(servicios, estado_);
        Ventanas v;
        v.llamadas = [this](QWidget*) { abiertas_ << "llamadas"; };
        v.opciones = [this](QWidget*) { abiertas_ << "opciones"; };
        v.periodo = [this](QWidget*) { abiertas_ << "periodo"; };
        v.tarifas = [this](QWidget*) { abiertas_ << "tarifas"; };
        auto f = std::make_unique<Form1>(servicios, estado_, v);
        f->Form_Load();
        return f;
    }

    static void Recorrer(QAccessibleInterface* i, Recorrido& r, const QString& camino) {
        const QString nombre = i->text(QAccessible::Name);
        const QString aqui = camino + "/" + (i->object() ? i->object()->objectName() : nombre);
        const bool interno = i->object() && i->object()->objectName().startsWith("qt_");
        if (Interactivos.contains(i->role()) && !interno) {
            // A name says what the control is for: words, and no two controls alike.
            if (!nombre.contains(QRegularExpression("\\w")))
                r.faltas << aqui + ": sin nombre";
            else if (r.nombres.contains(nombre))
                r.faltas << aqui + ": mismo nombre que otro control";
            r.nombres << nombre;
            if (i->role() == QAccessible::ComboBox && nombre == i->text(QAccessible::Value))
                r.faltas << aqui + ": nombrado por su valor";
        }
        if (i->role() == QAccessible::ProgressBar) {
            auto* v = i->valueInterface();
            if (v && v->currentValue().isValid() &&
                v->maximumValue().toDouble() > v->minimumValue().toDouble())
                ++r.barras;
            else
                r.faltas << aqui + ": barra sin valor";
        }
        if (i->text(QAccessible::Description).startsWith("Horario"))
            r.franjas << aqui;
        if (i->parent() && i->parent()->role() == QAccessible::ToolBar && !interno &&
            Interactivos.contains(i->role())) {
            auto* acciones = i->actionInterface();
            const QStringList teclas =
                acciones ? acciones->keyBindingsForAction(QAccessibleActionInterface::pressAction())
                         : QStringList();
            auto* w = qobject_cast<QWidget*>(i->object());
            if (!i->state().focusable || teclas.isEmpty() || !w ||
                !w->toolTip().contains(teclas.value(0)))
                r.faltas << aqui + ": sin Tab, atajo o atajo en su ayuda";
            else
                r.rutas << nombre;
        }
        for (int n = 0; n < i->childCount(); ++n)
            Recorrer(i->child(n), r, aqui);
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QVERIFY(dir_.isValid());
        servicios.carpetaDatos = dir_.path();
        reloj.poner(1999, 3, 15, 10, 0, 0); // Monday, a punta hour
        QVERIFY(General::ValoresPorDefecto(ajustes, reloj.t.dia, dir_.path().toStdString()));
        General::Escribir(ajustes, General::Ajustes::AlAbrir, "Normal");
    }
    void init() { abiertas_.clear(); }
    void cleanup() { QVERIFY2(avisos.errores.isEmpty(), qPrintable(avisos.errores.join('\n'))); }

    // One walk through each window's accessible tree.
    void recorrido_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<int>("barras");
        QTest::addColumn<QStringList>("franjas");
        QTest::addColumn<QStringList>("rutas");
        QTest::newRow("principal")
            << "Form1" << 1 << QStringList{"/Form1/Fondo", "/Form1/Status"}
            << QStringList{"Opciones", "Llamadas", "Periodo", "Tarifas", "Sobre ..."};
        QTest::newRow("opciones") << "Form3" << 0 << QStringList() << QStringList();
        QTest::newRow("periodo") << "Form10" << 0 << QStringList() << QStringList();
        QTest::newRow("llamadas")
            << "Form6" << 0 << QStringList()
            << QString(
                   "Nuevo,Abrir,Guardar,Imprimir,Cambiar fuente,Modificar celda,Eliminar llamada,"
                   "Regularidad,Importe por hora y día,Datos hoy,Totales,Estimado,"
                   "Colorear según tarifa,Inicio")
                   .split(',');
        QTest::newRow("tarifas") << "Form8" << 0
                                 << QStringList{"/Form8/Label5", "/Form8/Label6", "/Form8/Label7"}
                                 << QStringList();
    }
    void recorrido() {
        QFETCH(QString, ventana);
        QFETCH(int, barras);
        QFETCH(QStringList, franjas);
        QFETCH(QStringList, rutas);
        const std::unique_ptr<QWidget> w = Abrir(ventana);
        w->show();
        QAccessibleInterface* raiz = QAccessible::queryAccessibleInterface(w.get());
        Recorrido r;
        Recorrer(raiz, r, {});
        QVERIFY2(r.faltas.isEmpty(), qPrintable(r.faltas.join('\n')));
        QCOMPARE(r.barras, barras);
        QCOMPARE(r.franjas, franjas);
        QCOMPARE(r.rutas, rutas);
        // A main window is a frame (not a filler) named by its caption.
        if (!qobject_cast<QDialog*>(w.get()))
            QCOMPARE(raiz->role(), QAccessible::Window);
        QVERIFY(!raiz->text(QAccessible::Name).isEmpty());
        if (auto* dialogo = qobject_cast<QDialog*>(w.get())) {
            for (auto* b : dialogo->findChildren<QPushButton*>())
                if (b->text() == "Aceptar")
                    QVERIFY2(b->isDefault(), "Intro no acepta");
            QTest::keyClick(dialogo, Qt::Key_Escape);
            QVERIFY2(!dialogo->isVisible(), "Escape no cierra");
        }
    }

    // Each command of the main window by its Alt letter, and by Tab from "Iniciar" and Space.
    void atajos_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QString>("hace");
        QTest::newRow("Opciones") << int(Qt::Key_O) << 1 << "opciones";
        QTest::newRow("Llamadas") << int(Qt::Key_L) << 2 << "llamadas";
        QTest::newRow("Periodo") << int(Qt::Key_P) << 3 << "periodo";
        QTest::newRow("Tarifas") << int(Qt::Key_T) << 4 << "tarifas";
        QTest::newRow("Sobre ...") << int(Qt::Key_S) << 5 << "Acerca de ...";
        QTest::newRow("Iniciar") << int(Qt::Key_I) << 0 << "llamada";
    }
    void atajos() {
        QFETCH(int, tecla);
        QFETCH(int, tabs);
        QFETCH(QString, hace);
        const auto w = Abrir("Form1");
        auto* f = static_cast<Form1*>(w.get());
        QApplication::setActiveWindow(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        qsizetype antes = avisos.mostrados.size();
        auto hecho = [&] {
            QStringList r = abiertas_;
            if (f->LlamadaEnCurso())
                r << "llamada";
            for (qsizetype i = antes; i < avisos.mostrados.size(); ++i)
                r << avisos.mostrados[i].titulo;
            return r;
        };
        QTest::keyClick(f, Qt::Key(tecla), Qt::AltModifier);
        QTRY_COMPARE(hecho(), QStringList{hace});

        if (f->LlamadaEnCurso())
            f->Command1_Click();
        abiertas_.clear();
        antes = avisos.mostrados.size();
        QWidget* foco = f->findChild<QPushButton*>("Command1");
        foco->setFocus();
        for (int i = 0; i < tabs; ++i) {
            QTest::keyClick(foco, Qt::Key_Tab);
            foco = QApplication::focusWidget();
        }
        QTest::keyClick(foco, Qt::Key_Space);
        QTRY_COMPARE(hecho(), QStringList{hace});
        if (f->LlamadaEnCurso())
            f->Command1_Click();
    }

    // Under a dark palette every forced background keeps its text readable (WCAG AA, 4.5:1).
    void contraste_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QString>("etiqueta");
        for (const auto& [fila, ventana, etiqueta] :
             {std::tuple{"rótulo del medidor", "Form1", "Label4"},
              {"valor del medidor", "Form1", "Label7"},
              {"día de la semana", "Form10", "Label3"},
              {"día elegido", "Form10", "Label(15)"},
              {"otro día", "Form10", "Label(16)"},
              {"fecha inicial", "Form10", "Fechas(0)"},
              {"fila del visor", "Form8", "Label13"},
              {"rejilla de llamadas", "Form6", "Flex"}})
            QTest::newRow(fila) << QString(ventana) << QString(etiqueta);
    }
    void contraste() {
        QFETCH(QString, ventana);
        QFETCH(QString, etiqueta);
        const QPalette clara = QApplication::palette();
        const auto restaurar = qScopeGuard([&] { QApplication::setPalette(clara); });
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QPalette oscura(QColor(53, 53, 53)); // a dark theme: light text on dark grounds
        oscura.setColor(QPalette::Base, QColor(42, 42, 42));
        oscura.setColor(QPalette::Text, Qt::white);
        oscura.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(oscura);
        General::Escribir(ajustes, General::Ajustes::FechaInicio, "1/3/1999");
        const auto w = Abrir(ventana);
        auto* l = w->findChild<QWidget*>(etiqueta);
        QVERIFY(l);
        // The window's pixels where the widget lies, so a text over another widget's colour
        // is read on that colour.
        QRect zona(l->mapTo(w.get(), l->contentsRect().topLeft()), l->contentsRect().size());
        if (auto* vista = qobject_cast<QAbstractItemView*>(l)) { // a date cell, inside its lines
            w->show();                                           // lays the cells out
            const QRect celda =
                vista->visualRect(vista->model()->index(0, 1)).adjusted(2, 2, -2, -2);
            zona = QRect(vista->viewport()->mapTo(w.get(), celda.topLeft()), celda.size());
        }
        const double ratio = ContrasteTexto(w->grab(zona).toImage());
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
    }

    // The status bar's panels show their whole lettering at any font size (200% scale), and the
    // meter above them stays where it was.
    void escala_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }
    void escala() {
        QFETCH(double, factor);
        const QFont normal = QApplication::font();
        const auto restaurar = qScopeGuard([&] { QApplication::setFont(normal); });
        QFont grande = normal;
        grande.setPointSizeF(normal.pointSizeF() * factor);
        QApplication::setFont(grande);
        const auto w = Abrir("Form1");
        QCoreApplication::sendPostedEvents();
        auto* barra = w->findChild<QStatusBar*>("Status");
        barra->layout()->activate();
        for (auto* panel : barra->findChildren<QLabel*>())
            QVERIFY2(panel->contentsRect().height() >= panel->fontMetrics().height(),
                     qPrintable(panel->objectName()));
        QVERIFY(barra->geometry().bottom() < w->height());
        QCOMPARE(w->findChild<QWidget*>("Fondo")->geometry(), QRect(0, 40, 282, 145));
    }
};

QTEST_MAIN(TestAccesibilidad)
#include "TestAccesibilidad.moc"

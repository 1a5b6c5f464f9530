// Form1: construction of the main window's controls, toolbar and tray menu, and the placing of
// the meter's value labels.
#include "ui/main/BarraPeriodo.h"
#include "ui/main/VentanaMedidor.h"

#include "ui/common/Controles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <tuple>

namespace {
constexpr int AltoBarra = Px(600, Redondeo::Cercano);
constexpr int DerechaValores = Px(4050, Redondeo::Cercano);
} // namespace

void Form1::CrearControles() {
    Fondo = new QLabel(this);
    Fondo->setObjectName("Fondo");
    Fondo->setGeometry(0, AltoBarra, Px(4225, Redondeo::Cercano), Px(2175, Redondeo::Cercano));
    Fondo->setToolTip("doble clic para ocultar");
    PintarFondo(Fondo, QColor(192, 255, 255));
    Fondo->installEventFilter(this);

    const QColor fondoEtiqueta(255, 224, 192);
    auto etiqueta = [&](QLabel*& l, const char* nombre, const QString& texto, int x, int y) {
        l = new QLabel(texto, Fondo);
        l->setObjectName(nombre);
        PintarFondo(l, fondoEtiqueta);
        l->adjustSize();
        l->move(Px(x, Redondeo::Cercano), Px(y, Redondeo::Cercano) - AltoBarra);
    };
    etiqueta(Label8, "Label8", "Segundos facturados " + QString(15, '.'), 195, 870);
    etiqueta(Label5, "Label5", "Importe en euros " + QString(22, '.'), 195, 1110);
    etiqueta(Label4, "Label4", "Importe en pesetas  " + QString(17, '.'), 195, 1350);
    etiqueta(Label3, "Label3", "Duración " + QString(34, '.'), 188, 1598);
    etiqueta(Label2, "Label2", "0", 3953, 870);
    etiqueta(Label1, "Label1", "0", 3953, 1110);
    etiqueta(Label6, "Label6", "0", 3953, 1350);
    etiqueta(Label7, "Label7", "00:00:00", 3413, 1598);
    for (QLabel* l : {Label2, Label1, Label6, Label7})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A screen reader hears each caption without its dots, and each value with its caption.
    const std::pair<QLabel*, const char*> rotulos[] = {{Label8, "Segundos facturados"},
                                                       {Label5, "Importe en euros"},
                                                       {Label4, "Importe en pesetas"},
                                                       {Label3, "Duración"}};
    for (auto [l, rotulo] : rotulos)
        l->setAccessibleName(rotulo);
    Fondo->setAccessibleName("Medidor");
    MostrarPantalla();

    Transcurso = new BarraPeriodo(Fondo);
    Transcurso->setObjectName("Transcurso");
    Transcurso->setToolTip("Progreso del periodo");
    Transcurso->setGeometry(Px(188, Redondeo::Cercano), Px(1980, Redondeo::Cercano) - AltoBarra,
                            Px(3855, Redondeo::Cercano), Px(135, Redondeo::Cercano));

    Command1 = new QPushButton(Fondo);
    Command1->setObjectName("Command1");
    Command1->setGeometry(Px(188, Redondeo::Cercano), Px(2280, Redondeo::Cercano) - AltoBarra,
                          Px(3855, Redondeo::Cercano), Px(375, Redondeo::Cercano));
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    // The window opens with the focus on "Iniciar", as it always has.
    Command1->setFocus();
    PonerBoton(false);

    CrearEstado();
}

// The status bar: clock, date and call type.
void Form1::CrearEstado() {
    Status = new QStatusBar(this);
    Status->setObjectName("Status");
    Status->setSizeGripEnabled(false);
    const int anchos[3] = {1, 1, 2};
    for (int i = 0; i < 3; ++i) {
        Paneles[i] = new QLabel(Status);
        Paneles[i]->setObjectName(QString("Panel%1").arg(i + 1));
        Paneles[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        Paneles[i]->setAlignment(Qt::AlignCenter);
        Status->addWidget(Paneles[i], anchos[i]);
    }
    // A status message is also said to a screen reader.
    connect(Status, &QStatusBar::messageChanged, Status, &QWidget::setAccessibleName);
    AjustarEstado();
}

// The status bar's panels are as tall as their lettering (never below the original 17-pixel
// bar); the window grows by what the bar gains, so nothing above it moves.
void Form1::AjustarEstado() {
    for (QLabel* panel : Paneles)
        panel->setMinimumHeight(panel->fontMetrics().height() + 2 * panel->frameWidth());
    const int arriba = AltoBarra + Px(2175, Redondeo::Cercano);
    const int alto = std::max(Px(3030, Redondeo::Cercano) - arriba, Status->sizeHint().height());
    setFixedSize(Px(4230, Redondeo::Cercano), arriba + alto);
    Status->setGeometry(0, arriba, width(), alto);
}

void Form1::CrearBarra() {
    Barra = new QToolBar(this);
    Barra->setObjectName("Barra");
    Barra->setGeometry(0, 0, width(), AltoBarra);
    Barra->setMovable(false);
    Barra->setFloatable(false);
    Barra->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Barra->setIconSize(QSize(16, 16));
    Barra->setContentsMargins(0, 0, 0, 0);
    // Five captioned buttons must fit the window's 282 pixels.
    Barra->setStyleSheet("QToolBar { spacing: 0px; padding: 0px; }"
                         "QToolButton { padding: 0px 1px; margin: 0px; font-size: 7pt; }");
    // Alt and a caption's first letter press its button, and Tab reaches the buttons without a
    // mouse click giving them the focus. The captions carry no underline: an underlined letter
    // breaks the kerning of "Pe" and "Ta" and would shift those captions.
    const std::tuple<int, const char*, const char*> botones[] = {
        {1, "Opciones", "Alt+O"}, {2, nullptr, nullptr},    {3, "Llamadas", "Alt+L"},
        {4, nullptr, nullptr},    {5, "Periodo", "Alt+P"},  {6, "Tarifas", "Alt+T"},
        {7, nullptr, nullptr},    {8, "Sobre ...", "Alt+S"}};
    QWidget* anterior = Command1;
    for (auto [indice, texto, atajo] : botones) {
        if (!texto) {
            Barra->addSeparator();
            continue;
        }
        QAction* a = Barra->addAction(Icono::IconoBoton(indice), texto);
        a->setObjectName(QString("Boton%1").arg(indice));
        a->setIconText(texto); // the default drops a trailing "..."
        a->setToolTip(QString("%1 (%2)").arg(texto, atajo));
        connect(a, &QAction::triggered, this, [this, i = indice] { Barra_ButtonClick(i); });
        auto* boton = static_cast<QToolButton*>(Barra->widgetForAction(a));
        boton->setFocusPolicy(Qt::TabFocus);
        // On the button, where assistive technology reads it; the actions never change, so the
        // button never takes its caption (and an empty shortcut) from them again.
        boton->setShortcut(QKeySequence(atajo));
        setTabOrder(anterior, boton);
        anterior = boton;
    }
}

void Form1::CrearMenu() {
    Princi = new QMenu("Ver principal", this);
    Princi->setObjectName("Princi");
    Conectar = Princi->addAction("&Iniciar", this, &Form1::Conectar_Click);
    Conectar->setObjectName("Conectar");
    Princi->addSeparator()->setObjectName("sepa");
    Principal = Princi->addAction("&Abrir VatriMox", this, &Form1::Principal_Click);
    Principal->setObjectName("Principal");
    Princi->addSeparator()->setObjectName("sepa3");
    volver = Princi->addAction("&Ninguna opción");
    volver->setObjectName("volver");
    cerrar = Princi->addAction("&Cerrar VatriMox", this, &Form1::cerrar_Click);
    cerrar->setObjectName("cerrar");
    bandeja_.PonerMenu(Princi);
}

void Form1::MostrarPantalla() {
    const auto& p = medidor_.pantalla();
    Label7->setText(QString::fromStdString(p.Label7));
    Label6->setText(QString::fromStdString(p.Label6));
    Label2->setText(QString::fromStdString(p.Label2));
    Label1->setText(QString::fromStdString(p.Label1));
    ColocarValor(Label2, 870);
    ColocarValor(Label1, 1110);
    ColocarValor(Label6, 1350);
    ColocarValor(Label7, 1598);
    const std::pair<QLabel*, QLabel*> valores[] = {
        {Label8, Label2}, {Label5, Label1}, {Label4, Label6}, {Label3, Label7}};
    for (auto [rotulo, valor] : valores)
        if (const QString nombre = rotulo->accessibleName() + ": " + valor->text();
            valor->accessibleName() != nombre)
            valor->setAccessibleName(nombre);
}

// Value labels grow to the left, their right edges lined up.
void Form1::ColocarValor(QLabel* etiqueta, int arribaTwips) {
    etiqueta->adjustSize();
    etiqueta->move(DerechaValores - etiqueta->width(),
                   Px(arribaTwips, Redondeo::Cercano) - AltoBarra);
    etiqueta->raise();
}

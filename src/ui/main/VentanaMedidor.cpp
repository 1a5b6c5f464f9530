// Form1: binds the meter, the start-up logic and the tray icon to the main window's controls.
#include "ui/main/VentanaMedidor.h"
#include "calllog/ArchivoLlamadas.h"

#include "core/Formato.h"
#include "meter/Arranque.h"
#include "meter/AvisoPresupuesto.h"
#include "platform/Clock.h"
#include "platform/ConnectionProbe.h"
#include "platform/Prompts.h"
#include "ui/common/Controles.h"
#include "ui/main/AcercaDe.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QToolBar>

namespace {

constexpr const char* TipEspera = "Esperando conexión";
constexpr const char* TextoSalir =
    "En estos momentos tiene lugar una llamada, si sale del programa,"
    "\r\ndicha llamada no quedará almacenada en la base de datos."
    "\r\n¿Esta seguro de que desea salir?";

// Twips to pixels at 96 DPI; Qt scales pixels on high-DPI screens.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}
constexpr int AltoBarra = px(600);
constexpr int DerechaValores = px(4050);

char SeparadorDecimal() {
    const QString punto = QLocale().decimalPoint();
    const char c = punto.isEmpty() ? '.' : punto.at(0).toLatin1();
    return c ? c : '.';
}

// The locale's long time format without a time-zone part ("H:mm:ss").
QString FormatoHora() {
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    f.remove("(t)").remove('t');
    return f.trimmed();
}

QDate ADate(Fechas::Dia d) {
    return QDate(Fechas::Anio(d), Fechas::Mes(d), Fechas::DiaDelMes(d));
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Chunk colour of the progress bar for a budget state; invalid: the highlight colour.
QColor ColorPresupuesto(Estadistica::EstadoPresupuesto estado) {
    switch (estado) {
    case Estadistica::EstadoPresupuesto::Verde:
        return QColor(40, 170, 60);
    case Estadistica::EstadoPresupuesto::Amarillo:
        return QColor(235, 190, 0);
    case Estadistica::EstadoPresupuesto::Rojo:
        return QColor(215, 40, 40);
    case Estadistica::EstadoPresupuesto::Ninguno:
        break;
    }
    return {};
}

} // namespace

// The billing-period progress bar: a box from 0 to p of a 0..100 scale.
class BarraPeriodo : public QWidget {
public:
    using QWidget::QWidget;
    float porcentaje = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.fillRect(rect(), Qt::white);
        const int ancho = qRound(width() * porcentaje / 100.0f);
        g.fillRect(QRect(0, 0, ancho, height()), palette().color(QPalette::Highlight));
    }
};

Form1::Form1(Servicios& servicios, General::EstadoPrograma& estado, Ventanas ventanas,
             QWidget* padre)
    : QWidget(padre, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      s_(servicios), estado_(estado), ventanas_(std::move(ventanas)),
      medidor_(servicios.ajustes, estado, servicios.carpetaDatos.toStdString(), SeparadorDecimal()),
      Timer1(this), Timer2(this), Timer3(this), Timer4(this), Timer5(this), Reintento(this) {
    setObjectName("Form1");
    setWindowTitle("VatriMox 4.0");
    setFixedSize(px(4230), px(3030));
    CrearControles();
    CrearBarra();
    CrearMenu();

    const std::pair<QTimer*, int> timers[] = {
        {&Timer1, 1000}, {&Timer2, 1000}, {&Timer3, 100}, {&Timer4, 100}, {&Timer5, 500}};
    int n = 1;
    for (auto [timer, intervalo] : timers) {
        timer->setObjectName(QString("Timer%1").arg(n++));
        timer->setInterval(intervalo);
    }
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    connect(&Timer4, &QTimer::timeout, this, &Form1::Timer4_Timer);
    connect(&Timer5, &QTimer::timeout, this, &Form1::Timer5_Timer);
    Timer2.start();
    Reintento.setObjectName("Reintento");
    Reintento.setInterval(60000);
    connect(&Reintento, &QTimer::timeout, this, &Form1::Reintento_Timer);
    Reintento.start();
    medidor_.CarpetasReserva(Reservas());
    connect(&bandeja_, &Icono::Bandeja::dobleClic, this, &Form1::Principal_Click);

    if (const QScreen* pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
}

Form1::~Form1() = default;

void Form1::CrearControles() {
    Fondo = new QLabel(this);
    Fondo->setObjectName("Fondo");
    Fondo->setGeometry(0, AltoBarra, px(4225), px(2175));
    Fondo->setToolTip("doble clic para ocultar");
    PintarFondo(Fondo, QColor(192, 255, 255));
    Fondo->installEventFilter(this);

    const QColor fondoEtiqueta(255, 224, 192);
    auto etiqueta = [&](QLabel*& l, const char* nombre, const QString& texto, int x, int y) {
        l = new QLabel(texto, Fondo);
        l->setObjectName(nombre);
        PintarFondo(l, fondoEtiqueta);
        l->adjustSize();
        l->move(px(x), px(y) - AltoBarra);
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
    MostrarPantalla();

    Transcurso = new BarraPeriodo(Fondo);
    Transcurso->setObjectName("Transcurso");
    Transcurso->setToolTip("Progreso del periodo");
    Transcurso->setGeometry(px(188), px(1980) - AltoBarra, px(3855), px(135));

    Command1 = new QPushButton("Iniciar", Fondo);
    Command1->setObjectName("Command1");
    Command1->setGeometry(px(188), px(2280) - AltoBarra, px(3855), px(375));
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    Status = new QStatusBar(this);
    Status->setObjectName("Status");
    Status->setSizeGripEnabled(false);
    const int arriba = AltoBarra + px(2175);
    Status->setGeometry(0, arriba, width(), height() - arriba);
    const int anchos[3] = {1, 1, 2};
    for (int i = 0; i < 3; ++i) {
        Paneles[i] = new QLabel(Status);
        Paneles[i]->setObjectName(QString("Panel%1").arg(i + 1));
        Paneles[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        Paneles[i]->setAlignment(Qt::AlignCenter);
        Status->addWidget(Paneles[i], anchos[i]);
    }
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
    const std::pair<int, const char*> botones[] = {
        {1, "Opciones"}, {2, nullptr},   {3, "Llamadas"}, {4, nullptr},
        {5, "Periodo"},  {6, "Tarifas"}, {7, nullptr},    {8, "Sobre ..."}};
    for (auto [indice, texto] : botones) {
        if (!texto) {
            Barra->addSeparator();
            continue;
        }
        QAction* a = Barra->addAction(Icono::IconoBoton(indice), texto);
        a->setObjectName(QString("Boton%1").arg(indice));
        a->setIconText(texto); // the default drops a trailing "..."
        connect(a, &QAction::triggered, this, [this, i = indice] { Barra_ButtonClick(i); });
    }
}

void Form1::CrearMenu() {
    Princi = new QMenu("Ver principal", this);
    Princi->setObjectName("Princi");
    Conectar = Princi->addAction("Iniciar", this, &Form1::Conectar_Click);
    Conectar->setObjectName("Conectar");
    Princi->addSeparator()->setObjectName("sepa");
    Principal = Princi->addAction("Abrir VatriMox", this, &Form1::Principal_Click);
    Principal->setObjectName("Principal");
    Princi->addSeparator()->setObjectName("sepa3");
    volver = Princi->addAction("Ninguna opción");
    volver->setObjectName("volver");
    cerrar = Princi->addAction("Cerrar VatriMox", this, &Form1::cerrar_Click);
    cerrar->setObjectName("cerrar");
    bandeja_.PonerMenu(Princi);
}

void Form1::Form_Load() {
    const auto hoy = s_.reloj.now().dia;
    const auto res = Arranque::Preparar(s_.ajustes, hoy, s_.carpetaDatos.toStdString(), estado_,
                                        SeparadorDecimal(), Reservas());
    setWindowTitle(Q(General::TituloPrograma()));
    for (const auto& m : res.mensajes)
        s_.avisos.message(this, "VatriMox", Q(m.texto),
                          m.critico ? Prompts::Icono::Critico : Prompts::Icono::Informacion);
    medidor_.Pendientes(res.pendientes);
    if (res.autodeteccion)
        AutodeteccionActiva(true);
    // The icon first: "Mini Icono" hides the window only behind an icon that is shown.
    bandeja_.AgregarIcono(this, Icono::IconoReposo(), TipEspera);
    AplicarModo(res.modo == ModoVentana::SinCambio ? ModoVentana::Normal : res.modo);
    DibujarProgreso();
    Timer2_Timer();
}

bool Form1::Form_Unload() {
    if (Timer1.isActive()) {
        if (!s_.avisos.question(this, "VatriMox", TextoSalir, true))
            return false;
        Timer1.stop();
        Timer5.stop();
        medidor_.Abandonar();
    }
    medidor_.Reintentar();
    if (medidor_.SinGuardar() && !GuardarPendientes())
        return false;
    Cerrar();
    return true;
}

void Form1::FinDeSesion() {
    if (cerrada_)
        return;
    // No message box: nobody may be there to close it, and the session would not wait.
    if (Timer1.isActive())
        TerminarLlamada(false);
    medidor_.Reintentar();
    Cerrar();
    hide();
    emit cerrado();
}

void Form1::Cerrar() {
    Timer3.stop();
    Timer4.stop();
    Reintento.stop();
    bandeja_.QuitarIcono();
    cerrada_ = true;
}

bool Form1::GuardarPendientes() {
    QString lineas;
    for (const Llamada& l : medidor_.Pendientes())
        lineas += Q(ArchivoLlamadas::LineaRegistro(l));
    const QString texto = "No se ha podido guardar en ningún archivo:\r\n" + lineas +
                          "Si sale ahora se perderá. ¿Desea guardarla en otro archivo con "
                          "\"Guardar como...\"?";
    if (!s_.avisos.question(this, "VatriMox", texto, true)) {
        medidor_.OlvidarPendientes();
        return true;
    }
    const QString ruta = s_.avisos.saveFile(this, "Guardar como...",
                                            "Documento de VatriMox (*.ldx)", QDir::homePath());
    if (ruta.isEmpty())
        return false;
    const auto r = ArchivoLlamadas::Escribir(ruta.toStdString(), medidor_.Pendientes());
    if (!r) {
        s_.avisos.message(this, "VatriMox",
                          "No se ha podido guardar en " + ruta + ": " + Q(r.error),
                          Prompts::Icono::Critico);
        return false;
    }
    s_.avisos.message(this, "VatriMox",
                      "Se ha guardado en " + ruta + "; no está en el archivo de llamadas.",
                      Prompts::Icono::Informacion);
    medidor_.OlvidarPendientes();
    return true;
}

std::vector<std::filesystem::path> Form1::Reservas() const {
    std::vector<std::filesystem::path> r;
    for (const QString& c : s_.carpetasReserva)
        r.emplace_back(c.toStdString());
    return r;
}

void Form1::closeEvent(QCloseEvent* evento) {
    if (!Form_Unload()) {
        evento->ignore();
        return;
    }
    evento->accept();
    emit cerrado();
}

bool Form1::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == Fondo && evento->type() == QEvent::MouseButtonDblClick) {
        Fondo_DblClick();
        return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

void Form1::Command1_Click() {
    if (Command1->text() == "Iniciar")
        IniciarLlamada();
    else
        TerminarLlamada();
}

void Form1::IniciarLlamada() {
    Command1->setText("Parar");
    Conectar->setText("Parar");
    const auto efectos = medidor_.Iniciar(s_.reloj.now(), s_.reloj.monotonic());
    Timer1.start();
    AplicarModo(efectos.modo);
    Sonar(efectos);
    Timer5.start();
    Avisar(efectos);
}

void Form1::TerminarLlamada(bool avisar) {
    Command1->setText("Iniciar");
    Conectar->setText("Iniciar");
    setWindowTitle(Q(General::TituloPrograma()));
    Timer1.stop();
    const auto efectos = medidor_.Terminar(s_.reloj.monotonic());
    MostrarPantalla();
    Sonar(efectos);
    Timer5.stop();
    Timer5Tag.clear();
    AplicarModo(efectos.modo);
    bandeja_.CambiarIcono(Icono::IconoReposo(), TipEspera);
    if (!avisar) {
        // Quitting for the session: no message may hold the program up.
        for (const std::string& error : efectos.errores)
            qWarning("%s", error.c_str());
        return;
    }
    Avisar(efectos);
    // The bar's length stays as drawn (it does not advance by itself); only its budget colour
    // follows the call just logged.
    MostrarPresupuesto();
}

void Form1::Sonar(const Medidor::Efectos& efectos) {
    for (const std::string& archivo : efectos.sonidos) {
        if (!Sonido)
            Sonido = std::make_unique<CSSound>(s_.sonido);
        Sonido->PlayWave(Q(archivo), 1);
    }
}

// Failures the user must hear about, shown once the window is in its new state.
void Form1::Avisar(const Medidor::Efectos& efectos) {
    for (const std::string& error : efectos.errores)
        s_.avisos.message(this, "VatriMox", Q(error), Prompts::Icono::Critico);
}

// Sounds, then the window mode, then any failure.
void Form1::Atender(const Medidor::Efectos& efectos) {
    Sonar(efectos);
    AplicarModo(efectos.modo);
    Avisar(efectos);
}

void Form1::AplicarModo(ModoVentana modo) {
    switch (modo) {
    case ModoVentana::Normal:
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        break;
    case ModoVentana::Minimizado:
        setWindowState(windowState() | Qt::WindowMinimized);
        show();
        break;
    case ModoVentana::MiniIcono:
        setWindowState(windowState() | Qt::WindowMinimized);
        // Hidden without a shown tray icon the window could never be reached again.
        if (bandeja_.Disponible())
            hide();
        else
            show();
        break;
    case ModoVentana::SinCambio:
        break;
    }
}

void Form1::Timer1_Timer() {
    Atender(medidor_.Tick(s_.reloj.monotonic()));
    MostrarPantalla();
    setWindowTitle(isMinimized() ? Q(medidor_.ResumenTitulo()) : Q(General::TituloPrograma()));
}

void Form1::MostrarPantalla() {
    const auto& p = medidor_.pantalla();
    Label7->setText(Q(p.Label7));
    Label6->setText(Q(p.Label6));
    Label2->setText(Q(p.Label2));
    Label1->setText(Q(p.Label1));
    ColocarValor(Label2, 870);
    ColocarValor(Label1, 1110);
    ColocarValor(Label6, 1350);
    ColocarValor(Label7, 1598);
}

// Value labels grow to the left, their right edges lined up.
void Form1::ColocarValor(QLabel* etiqueta, int arribaTwips) {
    etiqueta->adjustSize();
    etiqueta->move(DerechaValores - etiqueta->width(), px(arribaTwips) - AltoBarra);
    etiqueta->raise();
}

void Form1::Timer2_Timer() {
    const auto ahora = s_.reloj.now();
    const int segundo = Fechas::SegundosDelDia(ahora);
    const QTime hora(segundo / 3600, segundo / 60 % 60, segundo % 60);
    Paneles[0]->setText(QLocale().toString(hora, FormatoHora()));
    Paneles[1]->setText(QLocale().toString(ADate(ahora.dia), QLocale::ShortFormat));
    Paneles[2]->setText(Q(estado_.TipoLlamada));
    const uint32_t color =
        Tarifas::ColorFranjaPlan(estado_.catalogo, segundo / 3600, ahora.dia, estado_.TipoLlamada);
    // No band (an unknown call type) keeps the last colour rather than turning black.
    if (color != 0)
        PintarFondo(Fondo, ColorQt(color));
}

void Form1::Timer3_Timer() {
    Conectado = s_.conexion.connected();
    if (!Conectado)
        return;
    if (!Timer1.isActive())
        Command1_Click();
    Timer3.stop();
    Timer4.start();
}

void Form1::Timer4_Timer() {
    Conectado = s_.conexion.connected();
    if (Conectado)
        return;
    if (Timer1.isActive())
        Command1_Click();
    Timer4.stop();
    Timer3.start();
}

void Form1::Timer5_Timer() {
    QIcon icono;
    if (Timer5Tag != "1") {
        Timer5Tag = "1";
        icono = Icono::IconoConectado();
    } else {
        Timer5Tag = "2";
        icono = Icono::IconoReposo();
    }
    bandeja_.CambiarIcono(icono, Q(medidor_.TipConectado()), Q(s_.conexion.nombre()));
}

void Form1::Reintento_Timer() {
    medidor_.Reintentar();
}

void Form1::Barra_ButtonClick(int indice) {
    if (indice == 8) {
        General::MostrarAcercaDe(s_.avisos, this);
        return;
    }
    const std::pair<int, const std::function<void(QWidget*)>*> ventanas[] = {
        {1, &ventanas_.opciones},
        {3, &ventanas_.llamadas},
        {5, &ventanas_.periodo},
        {6, &ventanas_.tarifas}};
    for (auto [i, abrir] : ventanas) {
        if (i != indice)
            continue;
        if (Timer1.isActive()) {
            s_.avisos.beep();
        } else if (*abrir) {
            (*abrir)(this);
        } else {
            QDialog vacio(this);
            vacio.setObjectName("Provisional");
            vacio.setWindowTitle(findChild<QAction*>(QString("Boton%1").arg(i))->text());
            vacio.exec();
        }
    }
}

void Form1::Fondo_DblClick() {
    if (bandeja_.Disponible())
        hide();
    else
        setWindowState(windowState() | Qt::WindowMinimized);
}

void Form1::Principal_Click() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Form1::Conectar_Click() {
    Command1_Click();
}

void Form1::cerrar_Click() {
    close();
}

void Form1::AutodeteccionActiva(bool activa) {
    if (activa)
        Timer3.start();
    else
        Timer3.stop();
    Command1->setEnabled(!activa);
    Conectar->setEnabled(!activa);
}

void Form1::DibujarProgreso() {
    const auto periodo = General::LeerPeriodo(s_.ajustes);
    Transcurso->porcentaje =
        periodo ? Arranque::ProgresoPeriodo(*periodo, s_.reloj.now().dia) : 0.0f;
    Transcurso->update();
    MostrarPresupuesto();
}

// Colours the progress bar by the budget, and gives the period's one budget warning.
void Form1::MostrarPresupuesto() {
    const auto r = General::RevisarPresupuesto(s_.ajustes, s_.carpetaDatos.toStdString(),
                                               s_.reloj.now().dia, SeparadorDecimal());
    QPalette paleta; // nothing set: the bar looks as it does without a budget
    if (const QColor color = ColorPresupuesto(r.situacion.estado); color.isValid())
        paleta.setColor(QPalette::Highlight, color);
    Transcurso->setPalette(paleta);
    Transcurso->setToolTip(r.situacion.estado == Estadistica::EstadoPresupuesto::Ninguno
                               ? QString("Progreso del periodo")
                               : Q(Estadistica::TextoPresupuesto(r.situacion, SeparadorDecimal())));
    if (r.aviso.empty())
        return;
    Medidor::Efectos sonido;
    if (!r.sonido.empty())
        sonido.sonidos.push_back(r.sonido);
    Sonar(sonido);
    s_.avisos.message(this, "VatriMox", Q(r.aviso), Prompts::Icono::Informacion);
}

float Form1::progreso() const {
    return Transcurso->porcentaje;
}

bool Form1::LlamadaEnCurso() const {
    return Timer1.isActive();
}

// Form1: binds the meter, the start-up logic and the tray icon to the main window's controls.
#include "ui/main/VentanaMedidor.h"
#include "calllog/ArchivoLlamadas.h"

#include "core/Formato.h"
#include "meter/Arranque.h"
#include "meter/AvisoPresupuesto.h"
#include "platform/Clock.h"
#include "platform/ConnectionProbe.h"
#include "platform/FormatoLocal.h"
#include "platform/Prompts.h"
#include "ui/common/Controles.h"
#include "ui/main/AccesibleMedidor.h"
#include "ui/main/AcercaDe.h"
#include "ui/main/BarraPeriodo.h"

#include <QAccessible>
#include <QAction>
#include <QDate>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTime>

#include <algorithm>

namespace {

constexpr const char* TipEspera = "Esperando conexión";

// The locale's long time format without a time-zone part ("H:mm:ss").
QString FormatoHora() {
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    f.remove("(t)").remove('t');
    return f.trimmed();
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

Form1::Form1(Servicios& servicios, General::EstadoPrograma& estado, Ventanas ventanas,
             QWidget* padre)
    : QWidget(padre, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      s_(servicios), estado_(estado), ventanas_(std::move(ventanas)),
      medidor_(servicios.ajustes, estado, servicios.carpetaDatos.toStdString(),
               FormatoLocal::SeparadorDecimal()),
      Timer1(this), Timer2(this), Timer3(this), Timer4(this), Timer5(this), Reintento(this) {
    Accesible::InstalarMedidor();
    setObjectName("Form1");
    setWindowTitle("VatriMox 4.0");
    setFixedSize(Px(4230, Redondeo::Cercano), Px(3030, Redondeo::Cercano));
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

void Form1::Form_Load() {
    const auto hoy = s_.reloj.now().dia;
    // Calls kept at the end of the last session come back from every folder that may hold them.
    auto reservas = Reservas();
    const auto ultimas = Reservas(true);
    reservas.insert(reservas.end(), ultimas.begin(), ultimas.end());
    const auto res = Arranque::Preparar(s_.ajustes, hoy, s_.carpetaDatos.toStdString(), estado_,
                                        FormatoLocal::SeparadorDecimal(), reservas);
    setWindowTitle(Q(General::TituloPrograma()));
    for (const auto& m : res.mensajes)
        s_.avisos.message(this, "VatriMox", Q(m.texto),
                          m.critico ? Prompts::Icono::Critico : Prompts::Icono::Informacion);
    if (const std::string tipo = ComprobarTipoLlamada(estado_); !tipo.empty())
        s_.avisos.message(this, "VatriMox", Q(tipo), Prompts::Icono::Exclamacion);
    medidor_.Pendientes(res.pendientes);
    if (res.autodeteccion)
        AutodeteccionActiva(true);
    // The icon first: "Mini Icono" hides the window only behind an icon that is shown.
    bandeja_.AgregarIcono(this, Icono::IconoReposo(), TipEspera);
    AplicarModo(res.modo == ModoVentana::SinCambio ? ModoVentana::Normal : res.modo);
    DibujarProgreso();
    Timer2_Timer();
}

bool Form1::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == Fondo && evento->type() == QEvent::MouseButtonDblClick) {
        Fondo_DblClick();
        return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

void Form1::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange && Status)
        AjustarEstado();
    QWidget::changeEvent(evento);
}

void Form1::Command1_Click() {
    if (Command1->text() == "Iniciar")
        IniciarLlamada();
    else
        TerminarLlamada();
}

void Form1::IniciarLlamada() {
    PonerBoton(true);
    const auto efectos = medidor_.Iniciar(s_.reloj.now(), s_.reloj.monotonic());
    Timer1.start();
    AplicarModo(efectos.modo);
    Sonar(efectos);
    Timer5.start();
    Avisar(efectos);
}

void Form1::TerminarLlamada(bool avisar, std::optional<std::chrono::milliseconds> fin) {
    PonerBoton(false);
    setWindowTitle(Q(General::TituloPrograma()));
    Timer1.stop();
    const auto ahora = s_.reloj.monotonic();
    const auto efectos = medidor_.Terminar(fin ? std::min(*fin, ahora) : ahora);
    MostrarPantalla();
    Sonar(efectos);
    Timer5.stop();
    Timer5Tag.clear();
    AplicarModo(efectos.modo);
    bandeja_.CambiarIcono(Icono::IconoReposo(), TipEspera);
    // Quitting for the session: no message may hold the program up, and FinDeSesion tells
    // where the call went.
    if (!avisar)
        return;
    Avisar(efectos);
    // The bar's length stays as drawn (it does not advance by itself); only its budget colour
    // follows the call just logged.
    MostrarPresupuesto();
}

void Form1::PonerBoton(bool enCurso) {
    Command1->setText(enCurso ? "Parar" : "Iniciar");
    // After the caption, which clears the shortcut.
    Command1->setShortcut(QKeySequence(enCurso ? "Alt+R" : "Alt+I"));
    Command1->setToolTip(enCurso ? "Parar (Alt+R)" : "Iniciar (Alt+I)");
    if (Conectar)
        Conectar->setText(enCurso ? "Pa&rar" : "&Iniciar");
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

void Form1::Timer2_Timer() {
    const auto ahora = s_.reloj.now();
    const int segundo = Fechas::SegundosDelDia(ahora);
    const QTime hora(segundo / 3600, segundo / 60 % 60, segundo % 60);
    Paneles[0]->setText(QLocale().toString(hora, FormatoHora()));
    Paneles[1]->setText(QLocale().toString(FormatoLocal::ADate(ahora.dia), QLocale::ShortFormat));
    Paneles[2]->setText(Q(estado_.TipoLlamada));
    const uint32_t color =
        Tarifas::ColorFranjaPlan(estado_.catalogo, segundo / 3600, ahora.dia, estado_.TipoLlamada);
    // No band (an unknown call type) keeps the last colour rather than turning black.
    if (color != 0)
        PintarFondo(Fondo, ColorQt(color));
    // The band in words too, for whoever cannot tell the colours apart or see them.
    const QString franja =
        Accesible::TextoFranja(estado_.catalogo, segundo / 3600, ahora.dia, estado_.TipoLlamada);
    if (Fondo->accessibleDescription() != franja) {
        Fondo->setAccessibleDescription(franja);
        Status->setToolTip(franja);
    }
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
    // The call ends when the probe saw the link go, however late this thread gets here.
    if (Timer1.isActive())
        TerminarLlamada(true, s_.conexion.caida());
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
            Status->showMessage("No disponible durante una llamada", 5000);
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
    QAccessibleValueChangeEvent cambio(Transcurso, Transcurso->porcentaje);
    QAccessible::updateAccessibility(&cambio);
    MostrarPresupuesto();
}

// Colours the progress bar by the budget, and gives the period's one budget warning.
void Form1::MostrarPresupuesto() {
    const auto r =
        General::RevisarPresupuesto(s_.ajustes, s_.carpetaDatos.toStdString(), s_.reloj.now().dia,
                                    FormatoLocal::SeparadorDecimal());
    Transcurso->MostrarPresupuesto(r.situacion, FormatoLocal::SeparadorDecimal());
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

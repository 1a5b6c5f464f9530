// Form10: month list, year spin, 37 day cells and the two date boxes of the billing period.
#include "ui/period/PeriodoDialog.h"

#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/Servicios.h"
#include "settings/Ajustes.h"
#include "ui/common/ComboNombrado.h"
#include "ui/common/Controles.h"
#include "ui/common/VentanaPrincipal.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

namespace {
// Positions are given in twips; 15 twips make one pixel.
const char* const Meses[] = {"Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
                             "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
const char* const DiasSemana[] = {"L", "M", "X", "J", "V", "S", "D"};

const QColor CianClaro(192, 255, 255);
const QColor Blanco(255, 255, 255);
const QColor Cian(0, 255, 255);

// Cells and headings share the grid: columns and rows 360 twips apart.
constexpr int PasoCelda = 24;
constexpr int MargenCelda = 4;

QPixmap IconoCalendario() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(2, 4, 27, 25);
    p.fillRect(3, 5, 26, 6, QColor(200, 0, 0));
    p.setPen(QColor(128, 128, 128));
    for (int x = 6; x < 28; x += 6)
        for (int y = 14; y < 28; y += 5)
            p.drawPoint(x, y);
    return pm;
}
} // namespace

Form10::Form10(Servicios& servicios, VentanaPrincipal& ventana, QWidget* parent)
    : QDialog(parent), servicios_(servicios), ventana_(ventana) {
    PrepararDialogoFijo(*this, "Form10", "Periodo de fechas");
    setFixedSize(Px(4500), Px(3240));
    CrearControles();
    Form_Load();
}

void Form10::CrearControles() {
    combo1_ = new ComboNombrado("Mes", this);
    combo1_->setObjectName("Combo1");
    combo1_->setGeometry(Px(120), Px(120), Px(1635), 22);

    text1_ = new QSpinBox(this);
    text1_->setObjectName("Text1");
    text1_->setGeometry(Px(1920), Px(120), Px(675) + 20, 22);
    text1_->findChild<QLineEdit*>()->setReadOnly(true);
    text1_->setToolTip("Año");
    text1_->setAccessibleName("Año");

    CrearRejilla();

    Etiqueta(this, "Label10", "Fecha Inicial", QRect(Px(3000), Px(1080), Px(1335), 18));
    Etiqueta(this, "Label11", "Fecha Final", QRect(Px(3000), Px(1920), Px(1335), 18));
    for (int i = 0; i < 2; ++i) {
        auto* l = Etiqueta(this, QString("Fechas(%1)").arg(i), {},
                           QRect(Px(3000), Px(i == 0 ? 1440 : 2280), Px(1335), 19));
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip("Pulse aquí para poner el día seleccionado");
        // Space or Enter puts the selected day here, as a click does.
        l->setFocusPolicy(Qt::TabFocus);
        l->setAccessibleName(i == 0 ? "Fecha Inicial" : "Fecha Final");
        l->installEventFilter(this);
        PintarFondo(l, Blanco);
        fechas_[i] = l;
    }

    auto* aceptar = new QPushButton("Aceptar", this);
    aceptar->setObjectName("Command1");
    aceptar->setGeometry(Px(3000), Px(2760), Px(1335), 25);
    aceptar->setDefault(true);
    connect(aceptar, &QPushButton::clicked, this, &Form10::Command1_Click);

    auto* image1 = new QLabel(this);
    image1->setObjectName("Image1");
    image1->setPixmap(IconoCalendario());
    image1->setGeometry(Px(3420), Px(240) - 8, 32, 32);

    connect(combo1_, &QComboBox::currentIndexChanged, this, &Form10::Combo1_Click);
    connect(text1_, &QSpinBox::valueChanged, this, &Form10::Text1_Change);
}

// The weekday headings and the 37 day cells.
void Form10::CrearRejilla() {
    auto* picture1 = new QWidget(this);
    picture1->setObjectName("Picture1");
    picture1->setGeometry(Px(120), Px(600), Px(2655), Px(255));
    PintarFondo(picture1, CianClaro);
    for (int c = 0; c < 7; ++c) {
        auto* l = Etiqueta(picture1, QString("Label%1").arg(c + 3), DiasSemana[c],
                           QRect(MargenCelda + c * PasoCelda, 0, PasoCelda - 2, Px(255)));
        l->setAlignment(Qt::AlignCenter);
    }

    auto* picture2 = new QWidget(this);
    picture2->setObjectName("Picture2");
    picture2->setGeometry(Px(120), Px(840), Px(2655), Px(2295));
    PintarFondo(picture2, Blanco);
    // The arrow keys move the selected day; Tab reaches the grid, a click does not focus it.
    picture2->setFocusPolicy(Qt::TabFocus);
    picture2->setAccessibleName("Días del mes");
    picture2->installEventFilter(this);
    dias_ = picture2;
    for (int n = 1; n <= Periodo::NumeroCeldas; ++n) {
        const int fila = (n - 1) / 7;
        const int columna = (n - 1) % 7;
        auto* l = Etiqueta(picture2, QString("Label(%1)").arg(n), {},
                           QRect(MargenCelda + columna * PasoCelda, MargenCelda + fila * PasoCelda,
                                 PasoCelda - 2, PasoCelda - 2));
        l->setAlignment(Qt::AlignCenter);
        l->installEventFilter(this);
        PintarFondo(l, Blanco);
        celdas_[n - 1] = l;
    }
}

void Form10::Form_Load() {
    const Fechas::Dia hoy = servicios_.reloj.now().dia;
    const QSignalBlocker bloqueoMes(combo1_);
    const QSignalBlocker bloqueoAnio(text1_);
    combo1_->clear();
    for (const char* mes : Meses)
        combo1_->addItem(mes);
    text1_->setRange(Periodo::AnioMinimo, Periodo::AnioMaximo(Fechas::Anio(hoy)));
    text1_->setSingleStep(1);
    combo1_->setCurrentIndex(Fechas::Mes(hoy) - 1);
    text1_->setValue(Fechas::Anio(hoy));
    Redibujar();
    SeleccionarHoy();
    fechas_[0]->setText(
        QString::fromStdString(General::Leer(servicios_.ajustes, General::Ajustes::FechaInicio)));
    fechas_[1]->setText(
        QString::fromStdString(General::Leer(servicios_.ajustes, General::Ajustes::FechaFinal)));
}

void Form10::Combo1_Click() {
    Redibujar();
    SeleccionarHoy();
}

void Form10::Text1_Change() {
    Redibujar();
    SeleccionarHoy();
}

void Form10::Redibujar() {
    calendario_.Mostrar(text1_->value(), combo1_->currentIndex() + 1);
    for (int n = 1; n <= Periodo::NumeroCeldas; ++n) {
        QLabel* celda = celdas_[n - 1];
        const int dia = calendario_.dia(n);
        celda->setText(dia ? QString::number(dia) : QString());
        celda->setEnabled(dia != 0);
    }
}

void Form10::SeleccionarHoy() {
    calendario_.SeleccionarDia(Fechas::DiaDelMes(servicios_.reloj.now().dia));
    PintarSeleccion();
}

void Form10::Label_Click(int n) {
    if (calendario_.Seleccionar(n))
        PintarSeleccion();
}

void Form10::PintarSeleccion() {
    for (int n = 1; n <= Periodo::NumeroCeldas; ++n) {
        const bool elegida = n == calendario_.seleccionada();
        PintarFondo(celdas_[n - 1], elegida ? Cian : Blanco);
        celdas_[n - 1]->setAccessibleName(elegida ? celdas_[n - 1]->text() + ", seleccionado"
                                                  : celdas_[n - 1]->text());
    }
    const std::string texto = calendario_.TextoSeleccion();
    dias_->setAccessibleDescription(
        texto.empty() ? QString() : "Día seleccionado: " + QString::fromStdString(texto));
}

bool Form10::Tecla(QObject* objeto, int tecla) {
    if (objeto == dias_) {
        const int paso = tecla == Qt::Key_Left    ? -1
                         : tecla == Qt::Key_Right ? 1
                         : tecla == Qt::Key_Up    ? -7
                         : tecla == Qt::Key_Down  ? 7
                                                  : 0;
        if (paso == 0)
            return false;
        const int n = calendario_.seleccionada() + paso;
        if (n >= 1 && n <= Periodo::NumeroCeldas)
            Label_Click(n);
        return true;
    }
    for (int i = 0; i < 2; ++i)
        if (objeto == fechas_[i] &&
            (tecla == Qt::Key_Space || tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
            Fechas_Click(i);
            return true;
        }
    return false;
}

void Form10::Fechas_Click(int indice) {
    const std::string texto = calendario_.TextoSeleccion();
    if (!texto.empty())
        fechas_[indice]->setText(QString::fromStdString(texto));
}

void Form10::Command1_Click() {
    std::string error;
    const auto periodo = Periodo::ComprobarPeriodo(fechas_[0]->text().toStdString(),
                                                   fechas_[1]->text().toStdString(), error);
    if (!periodo) {
        servicios_.avisos.message(this, "VatriMox", QString::fromStdString(error),
                                  Prompts::Icono::Exclamacion);
        return;
    }
    // Stored day first with a four-digit year, so every reader of the dates understands them.
    const bool guardado = General::Escribir(servicios_.ajustes, General::Ajustes::FechaInicio,
                                            Fechas::TextoFecha(periodo->inicio, false)) &&
                          General::Escribir(servicios_.ajustes, General::Ajustes::FechaFinal,
                                            Fechas::TextoFecha(periodo->fin, false));
    if (!guardado) {
        servicios_.avisos.message(this, "VatriMox",
                                  "No se han podido guardar las fechas del periodo.",
                                  Prompts::Icono::Critico);
        return;
    }
    ventana_.DibujarProgreso();
    accept();
}

bool Form10::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress && Tecla(objeto, static_cast<QKeyEvent*>(evento)->key()))
        return true;
    // A thicker frame shows which date box has the keyboard focus.
    if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut)
        for (QLabel* fecha : fechas_)
            if (objeto == fecha)
                fecha->setLineWidth(evento->type() == QEvent::FocusIn ? 2 : 1);
    if (evento->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        for (int i = 0; i < 2; ++i)
            if (objeto == fechas_[i]) {
                Fechas_Click(i);
                return true;
            }
        for (int n = 1; n <= Periodo::NumeroCeldas; ++n)
            if (objeto == celdas_[n - 1]) {
                Label_Click(n);
                return true;
            }
    }
    return QDialog::eventFilter(objeto, evento);
}

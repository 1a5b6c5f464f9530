// Form8: tabs by day type over a white panel with the coloured rows of the tariff table; with
// plan files the call types are grouped by plan and the plan's holidays shown below.
#include "ui/tariffs/VisorTarifas.h"

#include "platform/Prompts.h"
#include "platform/Servicios.h"
#include "settings/Ajustes.h"
#include "tariffs/VisorTarifasFilas.h"
#include "ui/common/ComboNombrado.h"
#include "ui/common/Controles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStandardItemModel>
#include <algorithm>
#include <optional>

namespace {
// Positions are given in twips; 15 twips make one pixel.
constexpr int AltoFila = 17;
constexpr int PrimeraFila = 1440;
constexpr int EntreFilas = 360;
const char* const NombresBarra[Tarifas::FilasVisor] = {"Label5", "Label6", "Label7", "Label26"};
// Text labels of each row: start, end, set-up charge, price per minute. Rows past the fourth,
// for plans with more bands in a day, are numbered on from Label40.
const int NumerosTexto[Tarifas::FilasVisor][4] = {
    {13, 14, 15, 16}, {17, 18, 19, 20}, {21, 22, 23, 24}, {27, 28, 29, 30}};
// Room for the billing text's second line when plan files are loaded.
constexpr int LineaMas = 255;
constexpr int AltoFestivos = 62;
// The call type an item of Combo1 stands for; plan headings hold none.
constexpr int RolTipo = Qt::UserRole;
// Left edge and width of each column, in pixels: clock times from their left edge, amounts
// right-aligned so the widest ("39,45 pts") stays inside the bar.
const int Columnas[4][2] = {{24, 40}, {78, 40}, {108, 58}, {170, 59}};
// Column headings, centred over their columns.
const int Titulos[4] = {10, 64, 119, 176};
// With plan files the window is wider, for clock times with seconds and amounts to the
// ten-thousandth of a peseta; the amount columns widen further for the plans' widest amount.
constexpr int AnchoPlanes = 80;
constexpr int AnchoImporte = 78;

// A number in fixed notation, as short as it reads back exactly, with the user's decimal
// separator: 15, 10,44, 123456,789, 0,0001.
QString Numero(double valor) {
    QLocale local;
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    return local.toString(valor, 'f', QLocale::FloatingPointShortest);
}

// "15 pts"; a euro plan's amount also as written: "9,9832 pts (0,06 €)".
QString TextoImporte(double pesetas, std::optional<double> euros = std::nullopt) {
    const QString texto = Numero(pesetas) + " pts";
    return euros ? texto + " (" + Numero(*euros) + " €)" : texto;
}

// Width of the widest amount any plan's viewer rows show.
int AnchoImportes(const Tarifas::Catalogo& catalogo, const QFontMetrics& medidas) {
    int ancho = 0;
    for (const Tarifas::Plan& plan : catalogo.planes)
        for (const Tarifas::TipoPlan& tipo : plan.tipos)
            for (Tarifas::TipoDia dia : {Tarifas::TipoDia::Laborales, Tarifas::TipoDia::Sabados,
                                         Tarifas::TipoDia::Festivos})
                for (const Tarifas::FilaVisor& fila :
                     Tarifas::FilasDelVisor(catalogo, tipo.nombre, dia))
                    ancho = std::max({ancho,
                                      medidas.horizontalAdvance(TextoImporte(
                                          fila.establecimiento, fila.establecimientoEuros)),
                                      medidas.horizontalAdvance(
                                          TextoImporte(fila.precioMinuto, fila.precioEuros))});
    return ancho;
}
// A day-type tab: a checkable button, one of three, that Tab and the arrow keys reach and Space
// chooses; it draws nothing, so the raised label beneath it shows the tab as it always looked,
// sunken while the tab has the keyboard focus.
class PestanaDia : public QAbstractButton {
public:
    PestanaDia(QLabel* etiqueta, QWidget* padre) : QAbstractButton(padre), etiqueta_(etiqueta) {
        setGeometry(etiqueta->geometry()); // over the label, which shows through
        setText(etiqueta->text());
        setAccessibleName(etiqueta->text());
        setCheckable(true);
        setAutoExclusive(true);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
    void focusInEvent(QFocusEvent* evento) override {
        etiqueta_->setFrameShadow(QFrame::Sunken);
        QAbstractButton::focusInEvent(evento);
    }
    void focusOutEvent(QFocusEvent* evento) override {
        etiqueta_->setFrameShadow(QFrame::Raised);
        QAbstractButton::focusOutEvent(evento);
    }

private:
    QLabel* etiqueta_;
};
} // namespace

QColor Form8::ColorPestanaMostrada() {
    return QColor(247, 242, 153);
}
QColor Form8::ColorPestanaOculta() {
    return QColor(192, 192, 192);
}

QString Form8::NombreFranja(const std::string& franja) {
    if (franja == "punta" || franja == "normal")
        return QString("Horario %1").arg(QString::fromStdString(franja));
    if (franja == "reducida")
        return QString("Horario reducido");
    return QString::fromStdString(franja);
}

Form8::Form8(Servicios& servicios, General::EstadoPrograma& estado, QWidget* parent)
    : QDialog(parent), servicios_(servicios), estado_(estado) {
    PrepararDialogoFijo(*this, "Form8", "Tarifas");
    CrearControles();
    Form_Load();
}

void Form8::CrearControles() {
    // Without plan files the window is laid out as it always was.
    conPlanes_ = estado_.catalogo.planes.size() > 1;
    for (int c = 0; c < 4; ++c)
        columnas_[c] = {Columnas[c][0], Columnas[c][1]};
    if (conPlanes_) {
        const int importe =
            std::max(AnchoImporte, AnchoImportes(estado_.catalogo, QFontMetrics(font())) + 6);
        columnas_ = {{{24, 54}, {82, 54}, {140, importe}, {144 + importe, importe}}};
        ancho_ = AnchoPlanes + 2 * (importe - AnchoImporte);
    }
    CrearCabecera();
    const int filas = Tarifas::FilasNecesarias(estado_.catalogo);
    const int extra = (filas - Tarifas::FilasVisor) * EntreFilas + (conPlanes_ ? LineaMas : 0);
    setFixedSize(Px(3735) + ancho_, Px(3495 + extra) + (conPlanes_ ? AltoFestivos : 0));
    auto* panel =
        Etiqueta(this, "Label4", {}, QRect(Px(120), Px(1200), Px(3495) + ancho_, Px(2175 + extra)));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    PintarFondo(panel, Qt::white);
    CrearFilas(filas);
    CrearPie(extra);
}

void Form8::CrearCabecera() {
    combo1_ = new ComboNombrado("Tipo de llamada", this);
    combo1_->setObjectName("Combo1");
    combo1_->setGeometry(Px(120), Px(120), Px(2280), 22);
    connect(combo1_, &QComboBox::currentIndexChanged, this, &Form8::Combo1_Click);
    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("Command1");
    aceptar->setGeometry(Px(2520), Px(120) - 1, Px(1095), 24);
    aceptar->setDefault(true);
    connect(aceptar, &QPushButton::clicked, this, &Form8::Command1_Click);
    auto* linea = new QFrame(this);
    linea->setObjectName("Line1");
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    linea->setGeometry(Px(120), Px(575) - 1, Px(3600 - 120) + ancho_, 3);
    const char* const nombres[3] = {"Laborales", "Sábados", "Festivos"};
    const int izquierdas[3] = {375, 1620, 2775};
    for (int i = 0; i < 3; ++i) {
        auto* l = Etiqueta(this, QString("Label%1").arg(i + 1), QString::fromUtf8(nombres[i]),
                           QRect(Px(izquierdas[i]) - 4, Px(675) - 2, 0, 0));
        l->setAlignment(Qt::AlignCenter);
        l->setMargin(2);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Raised);
        l->adjustSize();
        l->resize(l->width() + 6, l->height());
        PintarFondo(l, ColorPestanaOculta());
        pestanas_[i] = l;
        auto* pestana = new PestanaDia(l, this);
        pestana->setObjectName(QString("Pestana%1").arg(i + 1));
        pestanasBoton_[i] = pestana;
        connect(pestana, &QAbstractButton::clicked, this,
                [this, i] { MostrarTabla(static_cast<Tarifas::TipoDia>(i)); });
    }
    const char* const titulos[4][3] = {{"Label10", "Inicio", "Inicio del periodo"},
                                       {"Label9", "Final", "Fin del periodo"},
                                       {"Label11", "Coste Ini", "Coste Inicial"},
                                       {"Label12", "Coste Min", "Coste cada minuto"}};
    for (int c = 0; c < 4; ++c) {
        auto* l =
            Etiqueta(this, titulos[c][0], titulos[c][1],
                     QRect(conPlanes_ ? columnas_[c][0] + columnas_[c][1] / 2 - 28 : Titulos[c],
                           Px(960), 56, AltoFila));
        l->setAlignment(Qt::AlignCenter);
        l->setToolTip(titulos[c][2]);
    }
}

void Form8::CrearFilas(int filas) {
    for (int f = 0; f < filas; ++f) {
        const int arriba = Px(PrimeraFila + f * EntreFilas);
        const auto numero = [f](int c) {
            return f < Tarifas::FilasVisor ? NumerosTexto[f][c]
                                           : 40 + (f - Tarifas::FilasVisor) * 5 + c;
        };
        barras_.push_back(Etiqueta(this,
                                   f < Tarifas::FilasVisor ? QString(NombresBarra[f])
                                                           : QString("Label%1").arg(numero(4)),
                                   {}, QRect(Px(240), arriba, Px(3255) + ancho_, AltoFila)));
        barras_.back()->setAlignment(Qt::AlignCenter);
        PintarFondo(barras_.back(), Qt::white);
        std::array<QLabel*, 4> textos{};
        for (int c = 0; c < 4; ++c) {
            textos[c] = Etiqueta(this, QString("Label%1").arg(numero(c)), {},
                                 QRect(columnas_[c][0], arriba, columnas_[c][1], AltoFila));
            textos[c]->setAlignment((c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        }
        textos_.push_back(textos);
    }
}

void Form8::CrearPie(int extra) {
    facturacion_ = Etiqueta(this, "Label25", QString::fromUtf8("Facturación por segundos."),
                            QRect(Px(240), Px(3000 + extra - (conPlanes_ ? LineaMas : 0)),
                                  Px(3255) + ancho_, AltoFila + (conPlanes_ ? Px(LineaMas) : 0)));
    // It lies on the white panel: black whatever the theme.
    QPalette paleta = facturacion_->palette();
    paleta.setColor(QPalette::WindowText, Qt::black);
    facturacion_->setPalette(paleta);
    if (!conPlanes_)
        return;
    facturacion_->setWordWrap(true);
    facturacion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    festivos_ = Etiqueta(this, "Label31", {},
                         QRect(Px(120), Px(3375 + extra) + 4, Px(3495) + ancho_, AltoFestivos - 8));
    festivos_->setWordWrap(true);
    festivos_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// The call types of the built-in tariff as always; with plan files, each plan's types under
// its name (a heading that cannot be chosen), the plans apart.
void Form8::LlenarCombo() {
    const bool conPlanes = estado_.catalogo.planes.size() > 1;
    auto* modelo = qobject_cast<QStandardItemModel*>(combo1_->model());
    QFont negrita = combo1_->font();
    negrita.setBold(true);
    for (const Tarifas::Plan& plan : estado_.catalogo.planes) {
        if (conPlanes) {
            if (combo1_->count() > 0)
                combo1_->insertSeparator(combo1_->count());
            combo1_->addItem(QString::fromStdString(plan.nombre));
            QStandardItem* titulo = modelo->item(combo1_->count() - 1);
            titulo->setFlags(Qt::NoItemFlags);
            titulo->setFont(negrita);
        }
        for (const Tarifas::TipoPlan& tipo : plan.tipos) {
            const QString nombre = QString::fromStdString(tipo.nombre);
            combo1_->addItem(nombre, nombre);
        }
    }
    // Long plan names open a wider list rather than being cut.
    if (conPlanes) {
        const QFontMetrics medidas(negrita);
        int ancho = 0;
        for (int i = 0; i < combo1_->count(); ++i)
            ancho = std::max(ancho, medidas.horizontalAdvance(combo1_->itemText(i)));
        combo1_->view()->setMinimumWidth(ancho + 24);
    }
}

void Form8::Form_Load() {
    const QSignalBlocker bloqueo(combo1_);
    combo1_->clear();
    LlenarCombo();
    // A stored value that is none of the call types shows no selection.
    const QString guardado =
        QString::fromStdString(General::Leer(servicios_.ajustes, General::Ajustes::Tarifa));
    combo1_->setCurrentIndex(
        combo1_->findData(guardado, RolTipo, Qt::MatchExactly | Qt::MatchCaseSensitive));
    Label1_Click();
}

void Form8::Label1_Click() {
    MostrarTabla(Tarifas::TipoDia::Laborales);
}
void Form8::Label2_Click() {
    MostrarTabla(Tarifas::TipoDia::Sabados);
}
void Form8::Label3_Click() {
    MostrarTabla(Tarifas::TipoDia::Festivos);
}

void Form8::Combo1_Click() {
    // The tab shown is the one in the shown colour.
    if (pestanas_[0]->palette().color(QPalette::Window) == ColorPestanaMostrada())
        Label1_Click();
    else if (pestanas_[1]->palette().color(QPalette::Window) == ColorPestanaMostrada())
        Label2_Click();
    else if (pestanas_[2]->palette().color(QPalette::Window) == ColorPestanaMostrada())
        Label3_Click();
}

void Form8::MostrarTabla(Tarifas::TipoDia dia) {
    const int mostrada = static_cast<int>(dia);
    for (int i = 0; i < 3; ++i)
        PintarFondo(pestanas_[i], i == mostrada ? ColorPestanaMostrada() : ColorPestanaOculta());
    pestanasBoton_[mostrada]->setChecked(true);
    const std::string tipo = combo1_->currentData(RolTipo).toString().toStdString();
    const auto filas = Tarifas::FilasDelVisor(estado_.catalogo, tipo, dia);
    const int hay = static_cast<int>(filas.size()), caben = static_cast<int>(barras_.size());
    // A day with more ranges than rows gives its last row to saying how many more follow.
    const int llenas = hay > caben ? caben - 1 : hay;
    for (int f = 0; f < caben; ++f) {
        const bool llena = f < llenas;
        const QColor fondo = llena ? ColorQt(filas[f].color) : QColor(Qt::white);
        PintarFondo(barras_[f], fondo);
        // The row's texts sit on the bar: their colour follows it, and the band is said in words.
        for (QLabel* texto : textos_[f]) {
            QPalette paleta = texto->palette();
            paleta.setColor(QPalette::WindowText, TextoSobre(fondo));
            texto->setPalette(paleta);
        }
        barras_[f]->setAccessibleDescription(llena ? NombreFranja(filas[f].franja) : QString());
        barras_[f]->setText(!llena && f == llenas && hay > caben
                                ? QString::fromUtf8("… y %1 tramos más").arg(hay - llenas)
                                : QString());
        if (!llena) {
            for (QLabel* texto : textos_[f])
                texto->clear();
            continue;
        }
        const auto& fila = filas[static_cast<std::size_t>(f)];
        textos_[f][0]->setText(QString::fromStdString(fila.inicio));
        textos_[f][1]->setText(QString::fromStdString(fila.fin));
        textos_[f][2]->setText(TextoImporte(fila.establecimiento, fila.establecimientoEuros));
        textos_[f][3]->setText(TextoImporte(fila.precioMinuto, fila.precioEuros));
    }
    if (festivos_)
        MostrarPie(tipo);
}

// Billing, minimum charge and holidays of the chosen call type, under the table.
void Form8::MostrarPie(const std::string& tipo) {
    const Tarifas::Plan* plan = nullptr;
    const Tarifas::TipoPlan* elegido = estado_.catalogo.BuscarTipo(tipo, &plan);
    QString facturacion, festivos;
    if (elegido) {
        facturacion = QString::fromStdString(Tarifas::TextoFacturacion(*plan, *elegido));
        if (elegido->minimo > Moneda())
            facturacion +=
                " Mínimo " +
                TextoImporte(elegido->minimo.aDouble(),
                             plan->euros ? std::optional(elegido->minimoEuros) : std::nullopt) +
                ".";
        festivos = QString::fromStdString(plan->nombre + ". " + Tarifas::TextoFestivos(*plan));
    }
    facturacion_->setText(facturacion);
    festivos_->setText(festivos);
    festivos_->setToolTip(festivos); // a long list may not fit
}

void Form8::Command1_Click() {
    // Without a valid choice the stored call type is kept.
    const QVariant elegido = combo1_->currentData(RolTipo);
    if (combo1_->currentIndex() >= 0 && elegido.isValid()) {
        const std::string tipo = elegido.toString().toStdString();
        estado_.TipoLlamada = tipo;
        if (!General::Escribir(servicios_.ajustes, General::Ajustes::Tarifa, tipo))
            servicios_.avisos.message(this, "VatriMox",
                                      "No se ha podido guardar el tipo de llamada.",
                                      Prompts::Icono::Critico);
    }
    accept();
}

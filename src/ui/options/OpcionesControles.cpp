// Form3: construction of the "General" and "Sonidos" pages and their controls.
#include "ui/options/OpcionesDialog.h"

#include "ui/common/ComboNombrado.h"
#include "ui/common/Controles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
QString Texto(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// A label; with `campo`, the label a screen reader gives that field.
QLabel* Etiqueta(const char* nombre, const char* texto, QWidget* campo = nullptr) {
    auto* l = new QLabel(QString::fromUtf8(texto));
    l->setObjectName(nombre);
    l->setBuddy(campo);
    return l;
}

QSpinBox* Numero(const char* nombre, const General::CampoNumero& campo, int paso, int largo) {
    auto* s = new QSpinBox;
    s->setObjectName(nombre);
    s->setRange(campo.minimo, campo.maximo);
    s->setSingleStep(paso);
    s->setAlignment(Qt::AlignRight);
    s->setFixedWidth(50);
    if (largo > 0)
        s->findChild<QLineEdit*>()->setMaxLength(largo);
    return s;
}

QPushButton* Boton(const char* nombre, const char* texto, const char* ayuda) {
    auto* b = new QPushButton(texto);
    b->setObjectName(nombre);
    b->setFixedWidth(26);
    b->setToolTip(QString::fromUtf8(ayuda));
    return b;
}
} // namespace

Form3::Form3(Servicios& servicios, General::EstadoPrograma& estado, VentanaPrincipal& ventana,
             QWidget* parent)
    : QDialog(parent), servicios_(servicios), estado_(estado), ventana_(ventana) {
    PrepararDialogoFijo(*this, "Form3", "Opciones");
    CrearControles();
    setFixedSize(Px(4695), Px(4650));
    Form_Load();
}

void Form3::CrearControles() {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(8, 8, 8, 8);
    pestana_ = new QTabBar;
    pestana_->setObjectName("Pestaña");
    pestana_->addTab("General");
    pestana_->addTab("Sonidos");
    pestana_->setDrawBase(false);
    raiz->addWidget(pestana_);
    picture1_ = CrearGeneral();
    picture2_ = CrearSonidos();
    raiz->addWidget(picture1_, 1);
    raiz->addWidget(picture2_, 1);
    picture2_->hide();
    connect(pestana_, &QTabBar::currentChanged, this, &Form3::Pestana_Click);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    auto* aceptar = new QPushButton("Aceptar");
    aceptar->setObjectName("Aceptar");
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton("Cancelar");
    cancelar->setObjectName("Cancelar");
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    raiz->addLayout(botones);
    connect(aceptar, &QPushButton::clicked, this, &Form3::Aceptar_Click);
    connect(cancelar, &QPushButton::clicked, this, &Form3::Cancelar_Click);
}

QWidget* Form3::CrearGeneral() {
    auto* pagina = new QWidget;
    pagina->setObjectName("Picture1");
    auto* v = new QVBoxLayout(pagina);
    v->setContentsMargins(0, 4, 0, 0);

    auto* frame5 = new QGroupBox("Formato de la ventana");
    frame5->setObjectName("Frame5");
    auto* formato = new QGridLayout(frame5);
    combo1_ = new ComboNombrado("Iniciar el programa como");
    combo1_->setObjectName("Combo1");
    for (std::string_view modo : General::ModosAlAbrir)
        combo1_->addItem(Texto(modo));
    combo2_ = new ComboNombrado("Iniciar la conexión como");
    combo2_->setObjectName("Combo2");
    for (std::string_view modo : General::ModosAlConectar)
        combo2_->addItem(Texto(modo));
    combo1_->setCurrentIndex(-1);
    combo2_->setCurrentIndex(-1);
    formato->addWidget(Etiqueta("Label9", "Iniciar el programa como", combo1_), 0, 0);
    formato->addWidget(combo1_, 0, 1);
    formato->addWidget(Etiqueta("Label7", "Iniciar la conexión como", combo2_), 1, 0);
    formato->addWidget(combo2_, 1, 1);
    v->addWidget(frame5);

    check5_ = new QCheckBox("Ejecutar al iniciar Windows");
    check5_->setObjectName("Check5");
    check7_ = new QCheckBox("Autodetectar una conexión");
    check7_->setObjectName("Check7");
    v->addWidget(check5_);
    v->addWidget(check7_);
    v->addLayout(CrearNumeros());
    v->addStretch();
    return pagina;
}

// IVA, negotiation seconds, the shortest call logged and the budget, in a grid.
QGridLayout* Form3::CrearNumeros() {
    auto* numeros = new QGridLayout;
    check6_ = new QCheckBox("Incluir el IVA en llamadas");
    check6_->setObjectName("Check6");
    connect(check6_, &QCheckBox::clicked, this, &Form3::Check6_Click);
    text9_ = Numero("Text9", General::Campos::PorcentajeIVA, 1, 2);
    text9_->setAccessibleName("Porcentaje de IVA");
    text7_ = Numero("Text7", General::Campos::Negociacion, 1, 2);
    text8_ = Numero("Text8", General::Campos::NoAceptar, 1, 3);
    numeros->addWidget(check6_, 0, 0);
    numeros->addWidget(text9_, 0, 1);
    numeros->addWidget(Etiqueta("Label8", "%"), 0, 2);
    numeros->addWidget(Etiqueta("Label4", "Tiempo de Negociación", text7_), 1, 0);
    numeros->addWidget(text7_, 1, 1);
    numeros->addWidget(Etiqueta("Label3", "segundos"), 1, 2);
    numeros->addWidget(Etiqueta("Label5", "No guardar llamadas menores de", text8_), 2, 0);
    numeros->addWidget(text8_, 2, 1);
    numeros->addWidget(Etiqueta("Label6", "segundos"), 2, 2);
    text10_ = new QLineEdit;
    text10_->setObjectName("Text10");
    text10_->setAlignment(Qt::AlignRight);
    text10_->setFixedWidth(50);
    text10_->setMaxLength(7);
    text10_->setToolTip("Vacío: sin presupuesto");
    numeros->addWidget(Etiqueta("Label10", "Presupuesto", text10_), 3, 0);
    numeros->addWidget(text10_, 3, 1);
    numeros->addWidget(Etiqueta("Label11", "pesetas"), 3, 2);
    numeros->setColumnStretch(0, 1);
    numeros->setHorizontalSpacing(4);
    return numeros;
}

void Form3::CrearFila(QGridLayout* rejilla, int fila, FilaSonido& f, int check, const char* texto,
                      const char* cuando, int archivo, int buscar, int tocar) {
    f.check = new QCheckBox(QString::fromUtf8(texto));
    f.check->setObjectName(QString("Check%1").arg(check));
    f.archivo = new QLineEdit;
    f.archivo->setObjectName(QString("Text%1").arg(archivo));
    f.buscar =
        Boton(qPrintable(QString("Command%1").arg(buscar)), "...", "Buscar archivo de sonido");
    f.tocar = Boton(qPrintable(QString("Command%1").arg(tocar)), ">", "Escuchar el sonido");
    // Every row's box and buttons look alike: a screen reader tells them apart by the row.
    const QString momento = QString::fromUtf8(cuando);
    f.archivo->setAccessibleName("Archivo de sonido " + momento);
    f.buscar->setAccessibleName("Elegir sonido " + momento);
    f.tocar->setAccessibleName("Probar sonido " + momento);
    rejilla->addWidget(f.check, fila, 0, 1, 3);
    rejilla->addWidget(f.archivo, fila + 1, 0);
    rejilla->addWidget(f.buscar, fila + 1, 1);
    rejilla->addWidget(f.tocar, fila + 1, 2);
}

QWidget* Form3::CrearSonidos() {
    auto* pagina = new QWidget;
    pagina->setObjectName("Picture2");
    auto* v = new QVBoxLayout(pagina);
    v->setContentsMargins(0, 4, 0, 0);
    auto* frame1 = new QGroupBox;
    frame1->setObjectName("Frame1");
    auto* rejilla = new QGridLayout(frame1);
    rejilla->setVerticalSpacing(2);
    rejilla->setHorizontalSpacing(3);

    CrearFila(rejilla, 0, inicio_, 2, "Al conectar", "al conectar", 2, 3, 4);
    CrearFila(rejilla, 2, final_, 3, "Al desconectar", "al desconectar", 3, 5, 6);
    CrearFila(rejilla, 4, alerta_, 1, "Mientras está conectado", "mientras está conectado", 1, 1,
              2);
    CrearFila(rejilla, 7, paso_, 4, "Cuando el importe sea igual a", "del aviso de importe", 5, 9,
              10);

    alerta_.numero = Numero("Text4", General::Campos::Minutos, 1, 3);
    alerta_.numero->setAccessibleName("Minutos entre avisos");
    auto* minutos = new QHBoxLayout;
    minutos->addWidget(alerta_.numero);
    minutos->addWidget(Etiqueta("Label1", "Minutos", alerta_.numero));
    minutos->addStretch();
    rejilla->addLayout(minutos, 6, 0, 1, 3);

    paso_.numero = Numero("Text6", General::Campos::Pesetas, 5, 0);
    paso_.numero->setAccessibleName("Importe del aviso en pesetas");
    auto* pesetas = new QHBoxLayout;
    pesetas->addWidget(paso_.numero);
    pesetas->addWidget(Etiqueta("Label2", "Pesetas", paso_.numero));
    pesetas->addStretch();
    rejilla->addLayout(pesetas, 9, 0, 1, 3);

    connect(alerta_.check, &QCheckBox::clicked, this, &Form3::Check1_Click);
    connect(inicio_.check, &QCheckBox::clicked, this, &Form3::Check2_Click);
    connect(final_.check, &QCheckBox::clicked, this, &Form3::Check3_Click);
    connect(paso_.check, &QCheckBox::clicked, this, &Form3::Check4_Click);
    connect(alerta_.buscar, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(alerta_.tocar, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(inicio_.buscar, &QPushButton::clicked, this, &Form3::Command3_Click);
    connect(inicio_.tocar, &QPushButton::clicked, this, &Form3::Command4_Click);
    connect(final_.buscar, &QPushButton::clicked, this, &Form3::Command5_Click);
    connect(final_.tocar, &QPushButton::clicked, this, &Form3::Command6_Click);
    connect(paso_.buscar, &QPushButton::clicked, this, &Form3::Command9_Click);
    connect(paso_.tocar, &QPushButton::clicked, this, &Form3::Command10_Click);

    v->addWidget(frame1);
    v->addStretch();
    return pagina;
}

// The table of a call log re-priced under every plan, and the command that opens it.
#include "ui/tariffs/ComparacionDialog.h"

#include "calllog/Totales.h"
#include "platform/FormatoLocal.h"
#include "platform/PlanesUsuario.h"
#include "platform/Prompts.h"
#include "tariffs/TextosComparacion.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

ComparacionDialog::ComparacionDialog(const std::vector<Tarifas::FilaComparacion>& filas,
                                     QWidget* padre)
    : QDialog(padre) {
    setObjectName("ComparacionDialog");
    setWindowTitle(QString::fromUtf8("¿Qué tarifa me conviene?"));

    const int columnas = static_cast<int>(Tarifas::CabecerasComparacion.size());
    Tabla = new QTableWidget(static_cast<int>(filas.size()), columnas, this);
    Tabla->setObjectName("Tabla");
    QStringList cabeceras;
    for (const char* c : Tarifas::CabecerasComparacion)
        cabeceras << QString::fromUtf8(c);
    Tabla->setHorizontalHeaderLabels(cabeceras);
    Tabla->verticalHeader()->hide();
    Tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabla->setWordWrap(false);
    const char separador = FormatoLocal::SeparadorDecimal();
    for (int f = 0; f < Tabla->rowCount(); ++f) {
        const auto textos = Tarifas::TextosFila(filas[static_cast<size_t>(f)], separador);
        for (int c = 0; c < columnas; ++c) {
            auto* celda = new QTableWidgetItem(QString::fromStdString(textos[c]));
            if (c >= 2)
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Tabla->setItem(f, c, celda);
        }
    }
    Tabla->resizeColumnsToContents();
    Tabla->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    auto* botones = new QDialogButtonBox(this);
    QPushButton* cerrar = botones->addButton("Cerrar", QDialogButtonBox::RejectRole);
    cerrar->setObjectName("Cerrar");
    cerrar->setDefault(true);
    cerrar->setFocus(); // no row looks chosen when the table opens
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(Tabla);
    capas->addWidget(botones);
    resize(640, 320);
}

void MostrarComparacion(QWidget* padre, Prompts& avisos, const std::vector<Llamada>& llamadas,
                        uint8_t incluirIVA, uint8_t porcentajeIVA) {
    const Tarifas::Catalogo catalogo = PlanesUsuario::Cargar();
    if (!catalogo.errores.empty())
        avisos.message(padre, "VatriMox", PlanesUsuario::TextoRechazados(catalogo),
                       Prompts::Icono::Informacion);
    const auto filas = Tarifas::Comparar(llamadas, catalogo, incluirIVA, porcentajeIVA);
    // As "Totales" does, a sum out of range is said, not shown as a figure.
    if (std::any_of(filas.begin(), filas.end(), [](const auto& f) { return f.diferenciaFuera; }))
        avisos.message(
            padre, "VatriMox",
            QString::fromStdString(Registro::TextoDesborde(FormatoLocal::SeparadorDecimal())),
            Prompts::Icono::Exclamacion);
    auto* dialogo = new ComparacionDialog(filas, padre);
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    dialogo->open();
}

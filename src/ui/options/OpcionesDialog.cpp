// Form3: loading the options into the controls, their dependent controls, and storing.
#include "ui/options/OpcionesDialog.h"

#include "platform/Autostart.h"
#include "platform/Prompts.h"
#include "platform/Servicios.h"
#include "platform/SoundPlayer.h"
#include "ui/common/CSSound.h"
#include "ui/common/VentanaPrincipal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>

namespace {
// Sets a box from a stored number; an unconverted value leaves the box as it was.
void Poner(QSpinBox* s, const std::optional<int>& v) {
    if (v)
        s->setValue(*v);
}

// Selects a stored mode; a text that is none of the items shows no selection.
void Seleccionar(QComboBox* c, const std::string& texto) {
    c->setCurrentIndex(
        c->findText(QString::fromStdString(texto), Qt::MatchExactly | Qt::MatchCaseSensitive));
}
} // namespace

void Form3::Form_Load() {
    leidos_ = General::LeerOpciones(servicios_.ajustes, estado_);
    const auto& v = leidos_;
    alerta_.archivo->setText(QString::fromStdString(v.alertaSonido));
    alerta_.check->setChecked(v.alertaSINO);
    inicio_.archivo->setText(QString::fromStdString(v.inicioSonido));
    inicio_.check->setChecked(v.inicioSINO);
    final_.archivo->setText(QString::fromStdString(v.finalSonido));
    final_.check->setChecked(v.finalSINO);
    paso_.archivo->setText(QString::fromStdString(v.pasoSonido));
    paso_.check->setChecked(v.pasoSINO);
    Poner(alerta_.numero, v.periodo2);
    Poner(paso_.numero, v.importe);
    Seleccionar(combo1_, v.alAbrir);
    Seleccionar(combo2_, v.alConectar);
    check5_->setChecked(v.inicioWindowsSINO);
    check7_->setChecked(v.autoSINO);
    check6_->setChecked(v.iva);
    Poner(text7_, v.negociacion);
    Poner(text8_, v.noAceptar);
    Poner(text9_, v.cuantoIVA);
    text10_->setText(QString::fromStdString(v.presupuesto));

    for (const FilaSonido* f : {&alerta_, &inicio_, &final_, &paso_})
        Habilitar(*f, f->check->isChecked());
    text9_->setEnabled(check6_->isChecked());
}

void Form3::Pestana_Click() {
    const bool general = pestana_->currentIndex() == 0;
    picture1_->setVisible(general);
    picture2_->setVisible(!general);
}

void Form3::Habilitar(const FilaSonido& f, bool activo) {
    f.archivo->setEnabled(activo);
    f.buscar->setEnabled(activo);
    f.tocar->setEnabled(activo);
    if (f.numero)
        f.numero->setEnabled(activo);
}

// The row's file box tells whether its controls are on; a click turns them all the other way.
void Form3::Alternar(const FilaSonido& f) {
    Habilitar(f, !f.archivo->isEnabled());
}

void Form3::Check1_Click() {
    Alternar(alerta_);
}
void Form3::Check2_Click() {
    Alternar(inicio_);
}
void Form3::Check3_Click() {
    Alternar(final_);
}
void Form3::Check4_Click() {
    Alternar(paso_);
}
void Form3::Check6_Click() {
    text9_->setEnabled(!text9_->isEnabled());
}

void Form3::Buscar(const FilaSonido& f) {
    const QString archivo = servicios_.avisos.openFile(
        this, "Buscar archivo de sonido", "Archivos de sonido(*.wav )", f.archivo->text());
    // A cancelled dialog keeps the file already chosen.
    if (!archivo.isEmpty())
        f.archivo->setText(archivo);
}

void Form3::Tocar(const FilaSonido& f) {
    CSSound sonido(servicios_.sonido);
    sonido.PlayWave(f.archivo->text(), 1);
}

void Form3::Command1_Click() {
    Buscar(alerta_);
}
void Form3::Command2_Click() {
    Tocar(alerta_);
}
void Form3::Command3_Click() {
    Buscar(inicio_);
}
void Form3::Command4_Click() {
    Tocar(inicio_);
}
void Form3::Command5_Click() {
    Buscar(final_);
}
void Form3::Command6_Click() {
    Tocar(final_);
}
void Form3::Command9_Click() {
    Buscar(paso_);
}
void Form3::Command10_Click() {
    Tocar(paso_);
}

std::optional<General::ValoresOpciones> Form3::Recoger() {
    General::ValoresOpciones v;
    v.alertaSonido = alerta_.archivo->text().toStdString();
    v.inicioSonido = inicio_.archivo->text().toStdString();
    v.finalSonido = final_.archivo->text().toStdString();
    v.pasoSonido = paso_.archivo->text().toStdString();
    v.alertaSINO = alerta_.check->isChecked();
    v.inicioSINO = inicio_.check->isChecked();
    v.finalSINO = final_.check->isChecked();
    v.pasoSINO = paso_.check->isChecked();
    v.autoSINO = check7_->isChecked();
    v.inicioWindowsSINO = check5_->isChecked();
    v.iva = check6_->isChecked();
    // A mode that was stored but is none of the items is kept as it was.
    v.alAbrir =
        combo1_->currentIndex() >= 0 ? combo1_->currentText().toStdString() : leidos_.alAbrir;
    v.alConectar =
        combo2_->currentIndex() >= 0 ? combo2_->currentText().toStdString() : leidos_.alConectar;

    const std::pair<QSpinBox*, std::optional<int>*> numeros[] = {{alerta_.numero, &v.periodo2},
                                                                 {paso_.numero, &v.importe},
                                                                 {text9_, &v.cuantoIVA},
                                                                 {text7_, &v.negociacion},
                                                                 {text8_, &v.noAceptar}};
    const General::CampoNumero* campos[] = {
        &General::Campos::Minutos, &General::Campos::Pesetas, &General::Campos::PorcentajeIVA,
        &General::Campos::Negociacion, &General::Campos::NoAceptar};
    std::string error;
    for (size_t i = 0; i < std::size(numeros) && error.empty(); ++i)
        *numeros[i].second =
            General::LeerCampo(*campos[i], numeros[i].first->cleanText().toStdString(), error);
    // An empty budget box means no budget.
    const std::string presupuesto = text10_->text().trimmed().toStdString();
    if (error.empty() && !presupuesto.empty())
        if (const auto n = General::LeerCampo(General::Campos::Presupuesto, presupuesto, error))
            v.presupuesto = std::to_string(*n);
    if (!error.empty()) {
        servicios_.avisos.message(this, "VatriMox", QString::fromStdString(error),
                                  Prompts::Icono::Exclamacion);
        return std::nullopt;
    }
    return v;
}

void Form3::Aceptar_Click() {
    auto v = Recoger();
    if (!v)
        return;
    if (General::FaltaSonido(*v)) {
        servicios_.avisos.message(this, "VatriMox", "No hay ningún sonido asociado",
                                  Prompts::Icono::Critico);
        return;
    }
    // The program state changes only with values that pass the checks, so a refused
    // "Aceptar" followed by "Cancelar" leaves it as it was.
    General::AplicarEstado(*v, estado_);

    QString error;
    if (!servicios_.autoinicio.setEnabled(v->inicioWindowsSINO, &error)) {
        servicios_.avisos.message(
            this, "VatriMox",
            QString("No se ha podido cambiar el inicio automático del programa: %1").arg(error),
            Prompts::Icono::Exclamacion);
        v->inicioWindowsSINO = servicios_.autoinicio.isEnabled();
    }

    ventana_.AutodeteccionActiva(v->autoSINO);

    if (!General::GuardarOpciones(servicios_.ajustes, *v)) {
        servicios_.avisos.message(this, "VatriMox", "No se han podido guardar las opciones.",
                                  Prompts::Icono::Critico);
        return;
    }
    accept();
    // The budget may have changed: the progress bar shows it at once.
    ventana_.DibujarProgreso();
}

void Form3::Cancelar_Click() {
    reject();
}

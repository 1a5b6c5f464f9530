// Form10, "Periodo de fechas": picks the billing period's start and end dates on a month calendar.
#pragma once

#include "period/CalendarioPeriodo.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QSpinBox;
struct Servicios;
class VentanaPrincipal;

class Form10 : public QDialog {
    Q_OBJECT
public:
    Form10(Servicios& servicios, VentanaPrincipal& ventana, QWidget* parent = nullptr);

    void Form_Load();
    void Combo1_Click();
    void Text1_Change();
    void Label_Click(int n);
    void Fechas_Click(int indice);
    void Command1_Click();

    const Periodo::CalendarioPeriodo& calendario() const { return calendario_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CrearControles();
    void CrearRejilla();
    void Redibujar();
    void SeleccionarHoy();
    void PintarSeleccion();
    // Arrow keys in the day grid, Space or Enter in a date box; true when the key was used.
    bool Tecla(QObject* objeto, int tecla);

    Servicios& servicios_;
    VentanaPrincipal& ventana_;
    Periodo::CalendarioPeriodo calendario_;
    QComboBox* combo1_ = nullptr;
    QSpinBox* text1_ = nullptr;
    std::array<QLabel*, Periodo::NumeroCeldas> celdas_{};
    std::array<QLabel*, 2> fechas_{};
    QWidget* dias_ = nullptr;
};

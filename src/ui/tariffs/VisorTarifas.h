// Form8, "Tarifas": shows the tariff table of a call type by day type and chooses the call type
// among those of every plan.
#pragma once

#include "tariffs/Tarifas.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
struct Servicios;
namespace General {
struct EstadoPrograma;
}

class Form8 : public QDialog {
    Q_OBJECT
public:
    Form8(Servicios& servicios, General::EstadoPrograma& estado, QWidget* parent = nullptr);

    void Form_Load();
    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Combo1_Click();
    void Command1_Click();

    static QColor ColorPestanaMostrada();
    static QColor ColorPestanaOculta();
    // "Horario punta", "Horario normal", "Horario reducido", or a plan band's own name.
    static QString NombreFranja(const std::string& franja);

private:
    void CrearControles();
    void CrearCabecera();
    void CrearFilas(int filas);
    void CrearPie(int extra);
    void MostrarTabla(Tarifas::TipoDia dia);
    void MostrarPie(const std::string& tipo);
    void LlenarCombo();

    Servicios& servicios_;
    General::EstadoPrograma& estado_;
    QComboBox* combo1_ = nullptr;
    std::array<QLabel*, 3> pestanas_{};
    std::array<QAbstractButton*, 3> pestanasBoton_{}; // the tabs the labels paint
    std::vector<QLabel*> barras_;
    std::vector<std::array<QLabel*, 4>> textos_; // [row][start, end, set-up, per minute]
    QLabel* facturacion_ = nullptr;
    QLabel* festivos_ = nullptr; // only with plan files: the chosen type's plan and holidays
    bool conPlanes_ = false;
    int ancho_ = 0; // pixels the window is wider than the built-in tariff's
    std::array<std::array<int, 2>, 4> columnas_{}; // left edge and width of each column
};

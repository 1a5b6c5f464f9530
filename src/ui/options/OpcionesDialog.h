// Form3, "Opciones": window modes, detection, IVA, start with the session, and the four sounds.
#pragma once

#include "meter/OpcionesModelo.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabBar;
class QWidget;
struct Servicios;
class VentanaPrincipal;

class Form3 : public QDialog {
    Q_OBJECT
public:
    Form3(Servicios& servicios, General::EstadoPrograma& estado, VentanaPrincipal& ventana,
          QWidget* parent = nullptr);

    void Form_Load();
    void Pestana_Click();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check6_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command9_Click();
    void Command10_Click();
    void Aceptar_Click();
    void Cancelar_Click();

private:
    struct FilaSonido {
        QCheckBox* check;
        QLineEdit* archivo;
        QPushButton* buscar;
        QPushButton* tocar;
        QSpinBox* numero; // minutes or pesetas; none for the call start and end rows
    };

    void CrearControles();
    QWidget* CrearGeneral();
    QGridLayout* CrearNumeros();
    QWidget* CrearSonidos();
    // `cuando` ends the accessible names of the row's box and buttons ("al conectar").
    void CrearFila(QGridLayout* rejilla, int fila, FilaSonido& f, int check, const char* texto,
                   const char* cuando, int archivo, int buscar, int tocar);
    void Habilitar(const FilaSonido& f, bool activo);
    void Alternar(const FilaSonido& f);
    void Buscar(const FilaSonido& f);
    void Tocar(const FilaSonido& f);
    // Collects the controls' values; nullopt (after a message naming the field) when a number
    // box holds a bad value.
    std::optional<General::ValoresOpciones> Recoger();

    Servicios& servicios_;
    General::EstadoPrograma& estado_;
    VentanaPrincipal& ventana_;
    General::ValoresOpciones leidos_;

    QTabBar* pestana_ = nullptr;
    QWidget* picture1_ = nullptr;
    QWidget* picture2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QCheckBox* check5_ = nullptr;
    QCheckBox* check6_ = nullptr;
    QCheckBox* check7_ = nullptr;
    QSpinBox* text7_ = nullptr;
    QSpinBox* text8_ = nullptr;
    QSpinBox* text9_ = nullptr;
    QLineEdit* text10_ = nullptr; // budget of the period
    FilaSonido alerta_{}, inicio_{}, final_{}, paso_{};
};

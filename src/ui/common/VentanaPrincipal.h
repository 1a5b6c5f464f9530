// VentanaPrincipal: what the dialogs may ask of the main window, and how it opens them.
#pragma once

#include <functional>

class QWidget;

class VentanaPrincipal {
public:
    virtual ~VentanaPrincipal() = default;
    // Automatic detection on: Timer3 running, Command1 and the tray item Conectar disabled.
    virtual void AutodeteccionActiva(bool activa) = 0;
    // Redraws the billing-period progress bar from the stored dates and budget.
    virtual void DibujarProgreso() = 0;
    // True while a call is metered (Timer1 enabled).
    virtual bool LlamadaEnCurso() const = 0;
};

// The windows the main toolbar opens modally; main() wires the real ones.
struct Ventanas {
    std::function<void(QWidget* padre)> opciones; // Form3
    std::function<void(QWidget* padre)> llamadas; // Form6
    std::function<void(QWidget* padre)> periodo;  // Form10
    std::function<void(QWidget* padre)> tarifas;  // Form8
};

// Form1: the main window with the live meter, its toolbar, status bar, timers and tray icon.
#pragma once

#include "meter/Medidor.h"
#include "platform/Servicios.h"
#include "settings/Ajustes.h"
#include "ui/common/CSSound.h"
#include "ui/common/VentanaPrincipal.h"
#include "ui/main/Icono.h"

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolBar;
class BarraPeriodo;

class Form1 : public QWidget, public VentanaPrincipal {
    Q_OBJECT
public:
    Form1(Servicios& servicios, General::EstadoPrograma& estado, Ventanas ventanas,
          QWidget* padre = nullptr);
    ~Form1() override;

    // Start-up: settings, recovery, rollover, detection, window mode, tray icon, progress bar.
    void Form_Load();
    // Closing: asks first while a call is metered; false when the user keeps the program.
    bool Form_Unload();
    // Logout, shutdown or a termination signal: a running call ends now and is logged, the
    // tray icon goes and the program ends, with no question. Calls no file takes go to the
    // folders of last resort, or else in full to standard error. Runs once.
    void FinDeSesion();
    bool Cerrada() const { return cerrada_; }

    void Command1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    // Every minute: appends the calls a failed write left pending.
    void Reintento_Timer();
    void Barra_ButtonClick(int indice);
    void Fondo_DblClick();
    void Principal_Click();
    void Conectar_Click();
    void cerrar_Click();

    void AutodeteccionActiva(bool activa) override;
    void DibujarProgreso() override;
    bool LlamadaEnCurso() const override;

    const Medidor& medidor() const { return medidor_; }
    Icono::Bandeja& bandeja() { return bandeja_; }
    float progreso() const;
    bool Conectado = false;

signals:
    // The window has closed; the program ends.
    void cerrado();

protected:
    void changeEvent(QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CrearControles();
    void CrearEstado();
    void CrearBarra();
    void CrearMenu();
    void AjustarEstado();
    // Command1 and Conectar read "Iniciar" or "Parar"; Command1's shortcut and tool tip follow.
    void PonerBoton(bool enCurso);
    void IniciarLlamada();
    // The call ends at `fin` (monotonic) when given, now otherwise.
    void TerminarLlamada(bool avisar = true,
                         std::optional<std::chrono::milliseconds> fin = std::nullopt);
    // Offers to save calls no file holds; false when the window is to stay open.
    bool GuardarPendientes();
    void Cerrar();
    // The reserve folders of the journal, and with `alSalir` those of the session's end too.
    std::vector<std::filesystem::path> Reservas(bool alSalir = false) const;
    void AplicarModo(ModoVentana modo);
    void Atender(const Medidor::Efectos& efectos);
    void Sonar(const Medidor::Efectos& efectos);
    void Avisar(const Medidor::Efectos& efectos);
    void MostrarPantalla();
    void MostrarPresupuesto();
    void ColocarValor(QLabel* etiqueta, int arribaTwips);

    Servicios& s_;
    General::EstadoPrograma& estado_;
    Ventanas ventanas_;
    Medidor medidor_;
    std::unique_ptr<CSSound> Sonido;
    Icono::Bandeja bandeja_;
    QString Timer5Tag;
    bool cerrada_ = false;

    QTimer Timer1, Timer2, Timer3, Timer4, Timer5, Reintento;
    QToolBar* Barra = nullptr;
    QLabel* Fondo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    BarraPeriodo* Transcurso = nullptr;
    QPushButton* Command1 = nullptr;
    QStatusBar* Status = nullptr;
    QLabel* Paneles[3] = {nullptr, nullptr, nullptr};
    QMenu* Princi = nullptr;
    QAction* Conectar = nullptr;
    QAction* Principal = nullptr;
    QAction* volver = nullptr;
    QAction* cerrar = nullptr;
};

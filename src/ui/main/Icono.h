// Icono: the program's notification-area icon, its two pictures and the toolbar pictures.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace Icono {

inline constexpr int LargoTip = 63;

QIcon IconoReposo();
QIcon IconoConectado();
// Picture of the main toolbar's button `indice` (1, 3, 5, 6, 8).
QIcon IconoBoton(int indice);

// The one tray icon of the run. Without a system tray it keeps its state and appears once a
// tray host starts.
class Bandeja : public QObject {
    Q_OBJECT
public:
    explicit Bandeja(QObject* padre = nullptr);
    ~Bandeja() override;

    void AgregarIcono(QWidget* ventana, const QIcon& icono, const QString& tip);
    // `conexion`, the name of the connection being metered, goes on a line of its own after the
    // tip, which keeps its length limit.
    void CambiarIcono(const QIcon& icono, const QString& tip, const QString& conexion = {});
    void QuitarIcono();
    void PonerMenu(QMenu* menu);

    // True only while the icon is really shown in a tray, so the window may hide behind it.
    bool Disponible() const;
    bool Agregado() const { return agregado_; }
    QString Tip() const { return tip_; }
    qint64 IconoActual() const { return icono_; } // cacheKey of the picture shown

signals:
    void dobleClic();

private:
    QSystemTrayIcon* tray_ = nullptr;
    bool agregado_ = false;
    QString tip_;
    qint64 icono_ = 0;
};

} // namespace Icono

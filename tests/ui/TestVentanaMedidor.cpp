// Tests of Form1 driven headless through its controls, timers' methods and fake services.
#include "platform/FormatoLocal.h"
#include "support/Archivos.h"
#include "support/FakeServices.h"
#include "tariffs/LectorPlanes.h"
#include "ui/common/Controles.h"
#include "ui/main/VentanaMedidor.h"
#include "ui/tariffs/VisorTarifas.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QSystemTrayIcon>

namespace A = General::Ajustes;

class TestMainWindow : public QObject, ServiciosFalsos {
    Q_OBJECT

    QTemporaryDir dir_{EnMemoria()}; // the journal is synced every tick
    QString carpeta_;
    General::EstadoPrograma estado_;
    std::unique_ptr<Form1> f_;
    QStringList abiertas_;

    void Poner(std::initializer_list<std::pair<General::Ajuste, const char*>> valores) {
        for (const auto& [ajuste, valor] : valores)
            General::Escribir(ajustes, ajuste, valor);
    }
    Form1& Cargar() {
        f_ = std::make_unique<Form1>(servicios, estado_, Anotadas(abiertas_));
        f_->Form_Load();
        return *f_;
    }
    QString Texto(const QStringList& nombres) { // the labels' texts joined by '|'
        QStringList r;
        for (const QString& n : nombres)
            r << f_->findChild<QLabel*>(n)->text();
        return r.join('|');
    }
    QString Timers() { // which of Timer1..Timer5 run, as five 0 or 1 digits
        QString r;
        for (int n = 1; n <= 5; ++n)
            r += f_->findChild<QTimer*>(QString("Timer%1").arg(n))->isActive() ? '1' : '0';
        return r;
    }
    QPushButton* Boton() { return f_->findChild<QPushButton*>("Command1"); }
    QString Aviso() { return avisos.ultimo().texto; }
    QString Ruta(const QString& nombre) { return carpeta_ + "/" + nombre; }
    QByteArray Log() { return Contenido(Ruta("llamadas.ldx")); }
    bool EnCurso() { return QFile::exists(Ruta("llamada_en_curso.ldx")); }
    void Llamar(int segundos) { // starts a call and takes the meter's reading `segundos` later
        f_->Command1_Click();
        reloj.avanzar(segundos);
        f_->Timer1_Timer();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void init() {
        carpeta_ = dir_.path() + "/" + QTest::currentTestFunction();
        QDir().mkpath(carpeta_);
        reloj.poner(1999, 3, 15, 10, 0, 0); // Monday, a punta hour
        Reiniciar();
        conexion.conectado = false;
        abiertas_.clear();
        QVERIFY(General::ValoresPorDefecto(ajustes, reloj.t.dia, carpeta_.toStdString()));
        Poner({{A::AlAbrir, "Normal"}, {A::AlConectar, "No Cambiar"}});
        servicios.carpetaDatos = carpeta_;
    }
    void cleanup() {
        Comprobar();
        f_.reset();
    }

    // 1 s into a punta-hour call after 20 s of set-up; the toolbar only beeps; the end sound has no
    // file. Ahead of a budget of 20: one warning and sound, not repeated until the budget changes.
    void llamadaCompleta() {
        Poner({{A::InicioSINO, "1"},
               {A::InicioSonido, "/s/inicio.wav"},
               {A::FinalSINO, "1"},
               {A::Presupuesto, "20"},
               {A::PasoSINO, "1"},
               {A::PasoSonido, "/s/paso.wav"}});
        Form1& f = Cargar();
        auto* barra = f.findChild<QWidget*>("Transcurso");
        const auto color = [&] { return barra->palette().highlight().color(); };
        QCOMPARE(color(), QColor(40, 170, 60));
        QCOMPARE(Timers() + Texto({"Panel3"}), QString("01000Metropolitana"));
        f.Command1_Click();
        QCOMPARE(Timers() + Boton()->text(), QString("11001Parar"));
        f.setWindowState(Qt::WindowMinimized);
        reloj.avanzar(1);
        f.Timer1_Timer(); // the set-up seconds are still covered
        QCOMPARE(Texto({"Label7", "Label6", "Label2", "Label1"}),
                 QString("00:00:21|11,40|139|0,07 €"));
        QCOMPARE(f.windowTitle(), QString("00:00:21    139 \"   11,40 pts"));
        // A screen reader hears a value with its caption, and the minimised caption.
        const auto nombre = [](QObject* o) {
            return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
        };
        QCOMPARE(nombre(f.findChild<QLabel*>("Label6")), QString("Importe en pesetas: 11,40"));
        QCOMPARE(nombre(&f), f.windowTitle());
        f.Timer5_Timer();
        QCOMPARE(f.bandeja().Tip(),
                 QString("Conectado:   00:00:21   139 segundos   11,40 pesetas"));
        conexion.conexion = "Movistar GPRS"; // named on a line of its own
        f.Timer5_Timer();
        QVERIFY(f.bandeja().Tip().endsWith("11,40 pesetas\nMovistar GPRS"));
        for (int i : {1, 3, 5, 6})
            f.Barra_ButtonClick(i);
        QCOMPARE(avisos.beeps, 4);
        QCOMPARE(f.findChild<QStatusBar*>("Status")->currentMessage(), // why it beeps
                 QString("No disponible durante una llamada"));
        f.Command1_Click();
        QCOMPARE(Timers() + f.bandeja().Tip() + f.windowTitle(),
                 QString("01000Esperando conexiónVatriMox 4.288"));
        QCOMPARE(Log(),
                 QByteArray("#1999-03-15#,#09:59:40#,#00:00:21#,0,11.4,\"Metropolitana\"\r\n"));
        QVERIFY(!EnCurso());
        QCOMPARE(sonido.reproducidos, QStringList({"/s/inicio.wav", "/s/paso.wav"}));
        QCOMPARE(Aviso(), QString("Al ritmo actual superará el presupuesto del periodo: se prevén "
                                  "695,40 pts de un presupuesto de 20,00 pts."));
        QCOMPARE(color(), QColor(235, 190, 0));
        QCOMPARE(barra->toolTip(), QString("Progreso del periodo\nGastado: 11,40 pts\nPresupuesto: "
                                           "20,00 pts\nPrevisto al final del periodo: 695,40 pts"));
        f.findChild<QAction*>("Boton3")->trigger(); // the presses during the call opened nothing
        f.Barra_ButtonClick(6);
        QCOMPARE(abiertas_, QStringList({"llamadas", "tarifas"}));
        Llamar(1);
        f.Command1_Click();
        QCOMPARE(color(), QColor(215, 40, 40));
        Cargar();
        Poner({{A::Presupuesto, "21"}, {A::PasoSINO, "0"}}); // the new warning without its sound
        Cargar();
        QCOMPARE(QList({avisos.mostrados.size(), sonido.reproducidos.size()}),
                 QList<qsizetype>({2, 3}));
    }

    // A start in a new period says so; minimised to a missing tray, the window stays reachable.
    // The link goes 30 s in and this thread, busy, gets to it 2 s later: 30 s are logged.
    void arranqueConDeteccionEnOtroPeriodo() {
        Poner({{A::AlAbrir, "Mini Icono"},
               {A::AutoSINO, "1"},
               {A::FechaInicio, "01/01/1999"},
               {A::FechaFinal, "31/01/1999"}});
        reloj.poner(1999, 2, 1, 12);
        conexion.conectado = true;
        Form1& f = Cargar();
        QVERIFY(!Boton()->isEnabled() && !f.findChild<QAction*>("Conectar")->isEnabled());
        QCOMPARE(avisos.mostrados.size(), 1);
        QCOMPARE(Aviso(),
                 QString("Su periodo de llamadas ha concluido, se ha iniciado uno nuevo."));
        QCOMPARE(f.progreso(), float(1.0 / 30 * 100));
        // No tray here; the icon is shown all the same, so Qt docks it when a tray host starts.
        QVERIFY(f.bandeja().findChild<QSystemTrayIcon*>()->isVisible());
        QVERIFY(f.isVisible() && f.isMinimized());
        f.Principal_Click();
        f.Fondo_DblClick();
        QVERIFY(f.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(f.LlamadaEnCurso(), 150);
        QCOMPARE(Timers(), QString("11011"));
        reloj.avanzar(30);
        conexion.fin = reloj.monotono;
        conexion.conectado = false;
        reloj.avanzar(2);
        f.Timer4_Timer();
        QVERIFY(Log().startsWith("#1999-02-01#,#11:59:40#,#00:00:50#,"));
        QCOMPARE(Timers(), QString("01100"));
        f.AutodeteccionActiva(false);
        QVERIFY(Boton()->isEnabled() && Timers() == "01000");
        // The shared helpers, where the copies each window had differed: the dialogs round down.
        QCOMPARE(QList<int>({Px(1598), Px(1598, Redondeo::Cercano)}), QList<int>({106, 107}));
        const auto separador = [](const char* m) { return FormatoLocal::SeparadorDecimal(m); };
        QCOMPARE(std::string({separador("·"), separador("٫"), separador(",")}), "..,");
    }

    // Closing in mid-call asks ("No" keeps the call), confirmed drops it; logout logs it unasked.
    // With folders as log and journal, the failure is told once and closing offers "Guardar como".
    void cerrarDuranteLlamada() {
        for (const char* caso : {"cerrar", "sesion", "bloqueado"}) {
            Form1& f = Cargar();
            QSignalSpy cerrado(&f, &Form1::cerrado);
            avisos.mostrados.clear();
            if (caso[0] == 'b') {
                QFile::remove(Ruta("llamadas.ldx"));
                QDir().mkpath(Ruta("llamadas.ldx"));
                QDir().mkpath(Ruta("llamada_en_curso.ldx/ocupado"));
            }
            Llamar(30);
            if (caso[0] == 's') {
                f.FinDeSesion();
                f.FinDeSesion(); // aboutToQuit follows
            } else if (caso[0] == 'b') {
                f.Timer1_Timer();
                f.Command1_Click();
                QCOMPARE(avisos.mostrados.size(), 2);
                QVERIFY(avisos.mostrados[0].texto.startsWith("No se puede guardar la llamada en"));
                avisos.responder(true);
                avisos.responder(Ruta("copia.ldx"));
                f.cerrar_Click();
                QCOMPARE(avisos.mostrados[3].titulo, QString("Guardar como..."));
                QVERIFY(
                    Contenido(Ruta("copia.ldx")).startsWith("#1999-03-15#,#10:00:40#,#00:00:50#,"));
            } else {
                avisos.responder(false);
                f.cerrar_Click();
                QVERIFY(f.LlamadaEnCurso() && EnCurso() && cerrado.isEmpty());
                QCOMPARE(
                    Aviso(),
                    QString("En estos momentos tiene lugar una llamada, si sale del programa,\r\n"
                            "dicha llamada no quedará almacenada en la base de datos.\r\n"
                            "¿Esta seguro de que desea salir?"));
                QVERIFY(avisos.ultimo().siPorDefecto);
                avisos.responder(true);
                f.cerrar_Click();
            }
            QCOMPARE(cerrado.count(), 1);
            QVERIFY(!f.bandeja().Agregado());
            if (caso[0] != 'b') // the call logged by logout only, the journal gone
                QCOMPARE(QString("%1 %2").arg(Log().count("\r\n")).arg(EnCurso()),
                         QString(caso[0] == 's' ? "1 0" : "0 0"));
        }
    }

    // A plan's type chosen in the viewer prices the call: 15 March is its holiday, 60 s steps after
    // 30 s. Its file deleted, then refused: told, priced by the default, the setting kept.
    void tipoDeUnPlan() {
        const auto restaurar =
            qScopeGuard([this] { estado_.catalogo = Tarifas::CatalogoIncorporado(); });
        const QString plan = Ruta("tarifas/prueba.toml");
        const auto cargar = [&] {
            estado_.catalogo = Tarifas::CargarCatalogo(Ruta("tarifas").toStdString());
            Cargar();
            f_->Timer2_Timer();
        };
        QDir().mkpath(Ruta("tarifas"));
        const QByteArray dia = "[\"00:00:00-23:59:59 punta\"]\n";
        Escribir(plan,
                 "nombre = \"Prueba\"\ndias_festivos = [\"15/03\"]\n[[tipo]]\nnombre = \"Pasos\"\n"
                 "establecimiento = 10\nincluidos = 30\npasos = [60, 60]\nfranjas = { punta = 9, "
                 "reducida = 2 }\nlaborales = " +
                     dia + "sabados = " + dia +
                     "festivos = " + QByteArray(dia).replace("punta", "reducida"));
        cargar();
        Form8 visor(servicios, estado_);
        visor.findChild<QComboBox*>("Combo1")->setCurrentText("Pasos");
        visor.Command1_Click();
        f_->Timer2_Timer();
        QCOMPARE(f_->findChild<QLabel*>("Fondo")->palette().color(QPalette::Window),
                 QColor(192, 255, 192));
        Llamar(100); // 120 s with the 20 s of set-up
        QCOMPARE(Texto({"Label6", "Label2"}), QString("14,00|90"));
        f_->Command1_Click();
        QCOMPARE(Log(), QByteArray("#1999-03-15#,#09:59:40#,#00:02:00#,90,14,\"Pasos\"\r\n"));
        QFile::remove(plan);
        for (const char* motivo : {"ningún archivo de planes la define", "por tener errores"}) {
            cargar();
            QVERIFY(Aviso().startsWith("La tarifa «Pasos» no está en ningún plan") &&
                    Aviso().contains(motivo));
            Llamar(100);
            f_->Command1_Click();
            QVERIFY2(Log().endsWith(",0,11.4,\"Metropolitana\"\r\n"), Log().constData());
            Escribir(plan, QByteArray("nombre = "));
        }
        QCOMPARE(General::Leer(ajustes, A::Tarifa), std::string("Pasos"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestVentanaMedidor.moc"

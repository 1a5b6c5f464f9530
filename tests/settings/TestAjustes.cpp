// Settings schema: conversions, the billing period, start-up reads and the first-run defaults.
#include "settings/Ajustes.h"
#include "support/Archivos.h"
#include "support/FakeServices.h"
#include "support/Tablas.h"

using namespace General;

// A store with every first-run default of 1 January 1999; escrituras lists them in order.
static MemorySettingsStore DefectosEnero() {
    MemorySettingsStore s;
    QTemporaryDir dir;
    ValoresPorDefecto(s, D(1999, 1, 1), dir.path().toStdString());
    return s;
}

class TestAjustes : public QObject {
    Q_OBJECT
    struct Lectura {
        const char* fila;
        const Ajuste* ajuste;
        const char* texto;
        int numero; // -99999: does not convert; only 1 is a flag set
    };
    struct Periodo {
        const char *fila, *inicio, *fin;
        bool valido;
    };
    struct Completar {
        const char* fila;
        bool defectos;
        QString antes, escritas;
    };

private slots:
    // Each setting converts by its own type and range; what does not reads as nothing (flag off).
    void lecturaTipada_data() {
        tabla<Lectura>({{"uno", &Ajustes::AutoSINO, "1", 1},
                        {"uno con espacios", &Ajustes::AutoSINO, " 1 ", 1},
                        {"dos no activa", &Ajustes::PasoSINO, "2", 2},
                        {"tope byte", &Ajustes::CuantoIVA, "255", 255},
                        {"256 no es byte", &Ajustes::Negociacion, "256", -99999},
                        {"maximo 16 bits", &Ajustes::Importe, "32767", 32767},
                        {"mas de 16 bits", &Ajustes::Importe, "32768", -99999},
                        {"minimo 16 bits", &Ajustes::Periodo2, "-32768", -32768},
                        {"32 bits", &Ajustes::NoAceptar, "100000", 100000},
                        {"vacio", &Ajustes::IVA, "", -99999},
                        {"fraccion", &Ajustes::IVA, "1.0", -99999},
                        {"espacio en medio", &Ajustes::IVA, "1 0", -99999}});
    }
    void lecturaTipada() {
        const auto& c = fila<Lectura>();
        MemorySettingsStore s;
        QVERIFY(Escribir(s, *c.ajuste, c.texto));
        QCOMPARE(NumeroAjuste(s, *c.ajuste).value_or(-99999), c.numero);
        QCOMPARE(BanderaAjuste(s, *c.ajuste), c.numero == 1);
    }

    // A valid period always reads as 31/01/1999-02/03/1999.
    void leerPeriodo_data() {
        tabla<Periodo>({{"corta", "31/01/99", "02/03/99", true},
                        {"calendario", "31/1/1999", "2/3/1999", true},
                        {"inicio vacio", "", "02/03/1999", false},
                        {"fin imposible", "31/01/1999", "31/02/1999", false},
                        {"mes primero", "01/31/1999", "02/03/1999", false},
                        {"fin antes del inicio", "02/03/1999", "31/01/1999", false}});
    }
    void leerPeriodo() {
        const auto& c = fila<Periodo>();
        MemorySettingsStore s;
        // Written under one spelling of the application name, read under the other.
        QVERIFY(Escribir(s, Ajustes::FechaInicio, c.inicio));
        QVERIFY(s.write("VatriMox", "DATOS", "fechafinal", c.fin));
        const auto p = LeerPeriodo(s);
        QCOMPARE(p.has_value(), c.valido);
        if (c.valido)
            QVERIFY(p->inicio == D(1999, 1, 31) && p->fin == D(1999, 3, 2));
    }

    // A failed read (empty IVA, 256 %, a negotiation in words) is reported; the state is kept.
    void cargarEstadoFalla() {
        for (const auto& [clave, valor] :
             {std::pair{"IVA", ""}, {"CuantoIVA", "256"}, {"Negociacion", "veinte"}}) {
            MemorySettingsStore s = DefectosEnero();
            s.write("VatriMox", "Opciones", clave, valor);
            EstadoPrograma e;
            e.PorcentajeIVA = 7;
            QVERIFY2(!CargarEstado(s, e) && e.PorcentajeIVA == 7 && e.TipoLlamada.empty(), clave);
        }
    }

    // What CompletarAjustes writes over the defaults of 1/1/1999 (or none) and some settings.
    void completar_data() {
        // A missing key whose default is "" already reads as its default.
        QStringList sinVacios = DefectosEnero().escrituras;
        sinVacios.removeIf([](const QString& e) { return e.endsWith('='); });
        // AlAbrir, IVA, PasoSonido and NoAceptar are usable and must not be rewritten.
        tabla<Completar>(
            {{"vacio", false, "", sinVacios.join(';')},
             {"completo", true, "", ""},
             {"valores malos", true,
              "Opciones/AlAbrir=Normal;Opciones/CuantoIVA=abc;Datos/FechaInicio=15/12/1998;"
              "Datos/FechaFinal=;Opciones/IVA=1;Sonidos/Importe=40000;Tarifas/Tarifa=;"
              "Sonidos/PasoSonido=/a.wav;Opciones/NoAceptar= 100000 ",
              "Datos/FechaFinal=02/03/1999;Opciones/CuantoIVA=16;Sonidos/Importe=300;"
              "Tarifas/Tarifa=Metropolitana"},
             {"letra fuera de byte", true, "Opciones/FontSize=300", "Opciones/FontSize=8"},
             {"fechas al reves", true, "Datos/FechaInicio=01/02/1999;Datos/FechaFinal=31/01/1999",
              "Datos/FechaFinal=02/03/1999;Datos/FechaInicio=01/01/1999"}});
    }
    void completar() {
        const auto& c = fila<Completar>();
        MemorySettingsStore s = c.defectos ? DefectosEnero() : MemorySettingsStore();
        for (const QString& e : c.antes.split(';', Qt::SkipEmptyParts))
            s.write("VatriMox", e.section('/', 0, 0).toStdString(),
                    e.section('/', 1).section('=', 0, 0).toStdString(),
                    e.section('=', 1).toStdString());
        s.escrituras.clear();
        QVERIFY(CompletarAjustes(s, D(1999, 1, 1)));
        QCOMPARE(s.escrituras, c.escritas.split(';', Qt::SkipEmptyParts));
    }
};

QTEST_GUILESS_MAIN(TestAjustes)
#include "TestAjustes.moc"

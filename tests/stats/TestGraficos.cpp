// The statistics commands as the user sees them: message boxes, beeps, chart pixels, row colours.
#include "Llamadas.h"
#include "settings/Ajustes.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "ui/calllog/ComandosEstadistica.h"
#include "ui/calllog/ModeloLlamadas.h"

#include <QtTest>

Q_DECLARE_METATYPE(Llamada)

namespace {
const QColor Punta(255, 192, 192), Normal(255, 255, 192), Reducida(192, 255, 192);
constexpr QRgb Negro = 0xFF000000;

// Rows of an image that hold a dotted guide: black and background pixels alternate.
bool Punteada(const QImage& img, int y, int desde, int hasta) {
    int negros = 0;
    for (int x = desde; x < hasta; ++x)
        negros += img.pixel(x, y) == Negro;
    return negros * 2 >= hasta - desde - 1 && negros * 2 <= hasta - desde + 1;
}
int NegrosEnColumna(const QImage& img, int x, int desde = 0, int hasta = -1) {
    int n = 0;
    for (int y = desde; y < (hasta < 0 ? img.height() : hasta); ++y)
        n += img.pixel(x, y) == Negro;
    return n;
}
} // namespace

class TestGraficos : public QObject {
    Q_OBJECT
    MemorySettingsStore ajustes;
    ScriptedPrompts avisos;
    FakeClock reloj;
    std::vector<Llamada> llamadas;
    const Tarifas::Catalogo incorporado = Tarifas::CatalogoIncorporado();

    Estadistica::Contexto Contexto() {
        return {nullptr, avisos, ajustes, reloj.now(), "Metropolitana", incorporado, llamadas};
    }
    QImage Regularidad() {
        PanelGrafico panel;
        panel.resize(201, 101);
        Estadistica::DibujarRegularidad(Contexto(), panel);
        return panel.grab().toImage();
    }
    std::pair<QImage, QImage> HoraDia() {
        PanelGrafico horas, dias;
        horas.resize(491, 101);
        dias.resize(151, 101);
        Estadistica::DibujarImporteHoraDia(Contexto(), horas, dias);
        return {horas.grab().toImage(), dias.grab().toImage()};
    }

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        avisos = ScriptedPrompts();
        llamadas.clear();
        General::Escribir(ajustes, General::Ajustes::FechaInicio, "01/06/2001");
        General::Escribir(ajustes, General::Ajustes::FechaFinal, "30/06/2001");
        reloj.poner(2001, 6, 14, 21, 30); // a Thursday, in the peak band of Metropolitana
    }

    // One call a day on the 1st to 7th; with nothing to estimate, a beep and no message box.
    void cajas_data() {
        QTest::addColumn<bool>("estimado");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<int>("dia");
        QTest::addColumn<int>("llamadasCargadas");
        QTest::addColumn<QString>("titulo"); // empty: a beep
        QTest::addColumn<QString>("final");
        QTest::newRow("estimado")
            << true << "01/06/2001" << 14 << 7 << "Estadística de las llamadas"
            << "Importe mensual: \t\t187,5 pts\nImporte estimado: \t\t187,50 pts";
        QTest::newRow("totales") << false << "01/06/2001" << 14 << 7 << "Cálculo total"
                                 << "euros:\t\t0,53 €\nImporte en pesetas: \t\t87,5 pts";
        QTest::newRow("domingo 3 de junio") << true << "01/06/2001" << 3 << 7 << ""
                                            << "";
        QTest::newRow("sin llamadas") << true << "01/06/2001" << 14 << 0 << ""
                                      << "";
        QTest::newRow("fecha de inicio no valida") << true << "31/02/2001" << 14 << 7 << ""
                                                   << "";
    }
    void cajas() {
        QFETCH(bool, estimado);
        QFETCH(QString, inicio);
        QFETCH(int, dia);
        QFETCH(int, llamadasCargadas);
        QFETCH(QString, titulo);
        QFETCH(QString, final);
        General::Escribir(ajustes, General::Ajustes::FechaInicio, inicio.toStdString());
        reloj.poner(2001, 6, dia, 12);
        for (int d = 1; d <= llamadasCargadas; ++d)
            llamadas.push_back(UnaLlamada(2001, 6, d, 10, 0, 12.5));
        QString motivo;
        if (estimado)
            motivo = Estadistica::MostrarEstimado(Contexto());
        else
            Estadistica::MostrarTotales(Contexto());
        // With nothing to show, the window beeps and says why.
        QCOMPARE(!motivo.isEmpty(), titulo.isEmpty());
        QCOMPARE(avisos.mostrados.size(), titulo.isEmpty() ? 0 : 1);
        if (titulo.isEmpty())
            return;
        QCOMPARE(avisos.ultimo().titulo, titulo);
        QVERIFY2(avisos.ultimo().texto.endsWith(final), qPrintable(avisos.ultimo().texto));
    }
    // At 22:00 the band, and so the background, turns reduced (21:30 peak is seen below).
    void fondoDeLaFranjaDeAhora() {
        reloj.poner(2001, 6, 14, 22, 0);
        llamadas = {UnaLlamada(2001, 6, 4, 10, 0, 20)};
        const QImage r = Regularidad();
        const auto [h, d] = HoraDia();
        for (const QImage& img : {r, h, d})
            QCOMPARE(img.pixelColor(img.width() - 1, img.height() - 1), Reducida);
        // One call: nothing but the background.
        QCOMPARE(NegrosEnColumna(r, 100), 0);
    }

    void curvaYGuias() {
        // Points (0, 40), (1, 25), (2, 10) on the scale 40 .. 10: a straight line corner to
        // corner; the guides' scale is 40 .. 10 as well, so they lie at rows 67, 100 and 33.
        llamadas = {UnaLlamada(2001, 6, 4, 10, 0, 40), UnaLlamada(2001, 6, 4, 11, 0, 25),
                    UnaLlamada(2001, 6, 4, 12, 0, 10)};
        const QImage img = Regularidad();
        QCOMPARE(img.pixel(100, 50), Negro);
        QCOMPARE(img.pixelColor(10, 90), Punta);
        QVERIFY(Punteada(img, 33, 110, 200));
        QVERIFY(Punteada(img, 67, 10, 100));
        QVERIFY(!Punteada(img, 20, 110, 200));
        // Amounts over 11,4 keep 11,4 as the bottom: 25,7 lies half way down, not on the edge.
        llamadas = {UnaLlamada(2001, 6, 4, 10, 0, 40), UnaLlamada(2001, 6, 4, 11, 0, 25.7)};
        QCOMPARE(Regularidad().pixel(199, 50), Negro);
    }
    void grosorDeLinea_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("grosor");
        QTest::newRow("80 llamadas") << 80 << 4;
        QTest::newRow("150 llamadas") << 150 << 2;
        QTest::newRow("151 llamadas") << 151 << 1;
    }
    void grosorDeLinea() {
        QFETCH(int, n);
        QFETCH(int, grosor);
        // A flat run at 25 between a first call of 40 and a last of 10: row 50 of 101, clear of
        // the guides.
        llamadas.assign(n, UnaLlamada(2001, 6, 4, 10, 0, 25));
        llamadas.front().Importe = Moneda::desdeEntero(40);
        llamadas.back().Importe = Moneda::desdeEntero(10);
        QCOMPARE(NegrosEnColumna(Regularidad(), 100, 40, 60), grosor);
    }
    void barras() {
        // Units of 10 pixels: hour h spans x 2h + 1 .. 2h + 2, weekday d x 2d - 1 .. 2d.
        llamadas = {UnaLlamada(2001, 6, 4, 10, 5, 30), UnaLlamada(2001, 6, 4, 10, 50, 30),
                    UnaLlamada(2001, 6, 6, 18, 0, 15)};
        const auto [h, d] = HoraDia();
        for (const auto& [img, x] : {std::pair{h, 215}, std::pair{d, 15}})
            QCOMPARE(NegrosEnColumna(img, x), 101); // 60 pesetas: full height
        for (const auto& [img, x] : {std::pair{h, 375}, std::pair{d, 55}}) {
            QCOMPARE(img.pixel(x, 76), Negro); // 15 pesetas: a quarter, from row 75 down
            QCOMPARE(img.pixelColor(x, 73), Punta);
        }
        for (int hora = 0; hora < 24; ++hora) // no other bar in the lowest rows
            QCOMPARE(NegrosEnColumna(h, 20 * hora + 15, 80, 101) > 0, hora == 10 || hora == 18);
        // Guides at 30, 15 and 45 pesetas, dotted across the background.
        for (int y : {50, 75, 25})
            QVERIFY(Punteada(h, y, 100, 200));
        // The same figures in words for a screen reader: each bar that is not empty.
        PanelGrafico horas, dias;
        Estadistica::DibujarImporteHoraDia(Contexto(), horas, dias);
        QCOMPARE(horas.accessibleDescription(),
                 "Máximo: 60,00 pts; 10 h: 60,00 pts; 18 h: 15,00 pts.");
        QCOMPARE(dias.accessibleDescription(),
                 "Máximo: 60,00 pts; Lunes: 60,00 pts; Miércoles: 15,00 pts.");
    }
    void sinEscala_data() {
        QTest::addColumn<QList<double>>("importes");
        QTest::newRow("sin llamadas") << QList<double>{};
        QTest::newRow("importes a cero") << QList<double>{0, 0};
    }
    void sinEscala() {
        // No height to scale to: the background, and the guides on the top edge, except for
        // equal amounts on the regularity chart, which show only the background.
        QFETCH(QList<double>, importes);
        for (double i : importes)
            llamadas.push_back(UnaLlamada(2001, 6, 4, 10, 0, i));
        const auto [h, d] = HoraDia();
        const QImage r = Regularidad();
        for (const auto& [img, guias] :
             {std::pair{h, true}, std::pair{d, true}, std::pair{r, importes.isEmpty()}}) {
            QCOMPARE(Punteada(img, 0, 0, img.width()), guias);
            QCOMPARE(NegrosEnColumna(img, 15), img.pixel(15, 0) == Negro ? 1 : 0);
        }
    }

    void colorFila_data() {
        QTest::addColumn<Llamada>("llamada");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("franja"); // the grid row's tooltip
        const auto fila = [](const char* nombre, int d, int h, const char* tipo, QColor color,
                             const char* franja) {
            QTest::newRow(nombre) << UnaLlamada(2001, 6, d, h, h == 21 ? 59 : 0, 9, tipo, 3600)
                                  << color << QString(franja);
        };
        fila("21:59 laborable", 4, 21, "Metropolitana", Punta, "Horario punta");
        fila("17:00 laborable", 4, 17, "Provincial", Normal, "Horario normal");
        fila("17:00 sabado", 2, 17, "Provincial", Reducida, "Horario reducido");
        fila("tipo desconocido", 4, 10, "Local", Qt::black, "");
        // A plan's own bands: light, never black.
        fila("plan sin color", 4, 10, "Valle", QColor(192, 224, 255), "valle");
        fila("plan con color", 4, 12, "Valle", QColor(0xFF, 0xE4, 0xB5), "pico");
    }
    void colorFila() {
        QFETCH(Llamada, llamada);
        QFETCH(QColor, color);
        QFETCH(QString, franja);
        const Tarifas::Catalogo catalogo = ConUnPlan();
        QCOMPARE(Estadistica::ColorFila(llamada, catalogo), color);
        // The grid row says the band in words and keeps its text readable on the colour.
        ModeloLlamadas modelo(catalogo);
        modelo.Cargar({llamada});
        modelo.setColorear(true);
        QCOMPARE(modelo.index(0, 3).data(Qt::ToolTipRole).toString(), franja);
        QCOMPARE(modelo.index(0, 3).data(Qt::ForegroundRole).value<QBrush>().color(),
                 color == QColor(Qt::black) ? QColor(Qt::white) : QColor(Qt::black));
    }
};

QTEST_MAIN(TestGraficos)
#include "TestGraficos.moc"

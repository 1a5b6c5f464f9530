// The statistics commands as the user sees them: message boxes, chart pixels, row colours.
#include "Llamadas.h"
#include "settings/Ajustes.h"
#include "support/FakeServices.h"
#include "ui/calllog/ComandosEstadistica.h"
#include "ui/calllog/ModeloLlamadas.h"

using namespace Estadistica;
constexpr QRgb Negro = 0xFF000000;

static int Negros(const QImage& img, const QRect& zona) {
    const QImage z = img.copy(zona); // 32 bits a pixel
    const auto* p = reinterpret_cast<const QRgb*>(z.constBits());
    return std::count(p, p + z.width() * z.height(), Negro);
}
// A dotted guide on row y from x `desde` to before `hasta`: black and background alternate.
static bool Punteada(const QImage& img, int y, int desde, int hasta) {
    return std::abs(Negros(img, QRect(desde, y, hasta - desde, 1)) * 2 - (hasta - desde)) <= 1;
}

static Llamada Lunes(int h, int m, double importe, std::string tipo = "Metropolitana") {
    return UnaLlamada(2001, 6, 4, h, m, importe, tipo);
}

class TestGraficos : public QObject, ServiciosFalsos {
    Q_OBJECT
    std::vector<Llamada> llamadas;
    const Tarifas::Catalogo catalogo = ConUnPlan();
    QString descripciones_; // the last hour and weekday charts' non-empty bars in words, one a line

    Estadistica::Contexto Contexto() {
        return {nullptr, avisos, ajustes, reloj.now(), "Metropolitana", catalogo, llamadas};
    }
    std::array<QImage, 3> Graficos() {
        PanelGrafico r, h, d; // the regularity, hour and weekday charts
        r.resize(201, 101), h.resize(491, 101), d.resize(151, 101);
        DibujarRegularidad(Contexto(), r);
        DibujarImporteHoraDia(Contexto(), h, d);
        descripciones_ = h.accessibleDescription() + "\n" + d.accessibleDescription();
        return {r.grab().toImage(), h.grab().toImage(), d.grab().toImage()};
    }
    // Each chart as "G": only dotted guides, on its top edge; "-": only the background; "+": more.
    QString Vistas() {
        QString v;
        for (const QImage& i : Graficos())
            v += Negros(i, {0, 1, i.width(), 100}) ? '+' : "-G"[Punteada(i, 0, 0, i.width())];
        return v;
    }

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        llamadas.clear();
        General::Escribir(ajustes, General::Ajustes::FechaFinal, "30/06/2001");
        reloj.poner(2001, 6, 14, 21, 30); // a Thursday, in the peak band of Metropolitana
    }

    // One call a day on the 1st to 7th: two boxes; with nothing to estimate, the reason only.
    void cajas() {
        General::Escribir(ajustes, General::Ajustes::FechaInicio, "01/06/2001");
        for (int d = 1; d <= 7; ++d)
            llamadas.push_back(UnaLlamada(2001, 6, d, 10, 0, 12.5));
        QCOMPARE(MostrarEstimado(Contexto()), QString());
        MostrarTotales(Contexto());
        reloj.poner(2001, 6, 3, 12);
        QCOMPARE(MostrarEstimado(Contexto()),
                 "Aún no ha pasado ningún lunes del periodo de facturación.");
        General::Escribir(ajustes, General::Ajustes::FechaInicio, "31/02/2001");
        QCOMPARE(MostrarEstimado(Contexto()), "No hay un periodo de facturación guardado.");
        QCOMPARE(avisos.mostrados.size(), 2);
        QCOMPARE(avisos.mostrados[0].texto.section('\n', -1), "Importe estimado: \t\t187,50 pts");
        QCOMPARE(avisos.mostrados[1].texto.section('\n', -1), "Importe en pesetas: \t\t87,5 pts");
    }

    // The charts. Bars: units of 10 pixels: hour h spans x 2h + 1 .. 2h + 2, weekday d x 2d - 1 ..
    // 2d.
    void graficos() {
        llamadas = {Lunes(10, 5, 30), Lunes(10, 50, 30), UnaLlamada(2001, 6, 6, 18, 0, 15)};
        const auto [r, h, d] = Graficos();
        for (const auto& [img, lleno, cuarto] : {std::tuple{h, 215, 375}, {d, 15, 58}}) {
            QCOMPARE(Negros(img, QRect(lleno, 0, 1, 101)), 101); // 60 pesetas: full height
            QCOMPARE(img.pixel(cuarto, 76), Negro); // 15 pesetas: a quarter, from row 75 down
            QCOMPARE(img.pixelColor(cuarto, 73), QColor(255, 192, 192));
        }
        for (int y : {50, 75, 25}) // guides at 30, 15 and 45 pesetas, dotted across
            QVERIFY(Punteada(h, y, 100, 200));
        QCOMPARE(descripciones_, "Máximo: 60,00 pts; 10 h: 60,00 pts; 18 h: 15,00 pts.\n"
                                 "Máximo: 60,00 pts; Lunes: 60,00 pts; Miércoles: 15,00 pts.");
        // With no height to scale to, guides on the top edge, except on the regularity chart for
        // equal amounts or one call. At 22:00 the band, and every background, turn reduced.
        llamadas.clear();
        QCOMPARE(Vistas(), "GGG");
        llamadas = {Lunes(10, 0, 0), Lunes(11, 0, 0)};
        QCOMPARE(Vistas(), "-GG");
        llamadas = {Lunes(10, 0, 20)};
        QCOMPARE(Vistas(), "-++");
        reloj.poner(2001, 6, 14, 22, 0);
        for (const QImage& img : Graficos())
            QCOMPARE(img.pixelColor(img.width() - 1, img.height() - 1), QColor(192, 255, 192));
        // Points (0, 40), (1, 25), (2, 10) on the scale 40 .. 10: a straight line corner to
        // corner; the guides' scale is 40 .. 10 as well, so they lie at rows 67, 100 and 33.
        llamadas = {Lunes(10, 0, 40), Lunes(11, 0, 25), Lunes(12, 0, 10)};
        const QImage img = Graficos()[0];
        QCOMPARE(img.pixel(100, 50), Negro);
        QVERIFY(Punteada(img, 33, 110, 200));
        QVERIFY(Punteada(img, 67, 10, 100));
        // Thinner with more calls: a run at 25 between 40 and 10 crosses row 50, clear of guides.
        QString grosores;
        for (int n : {75, 76, 100, 101, 125, 126, 150, 151}) {
            llamadas.insert(llamadas.begin() + 1, n - llamadas.size(), Llamada(llamadas[1]));
            grosores += QString::number(Negros(Graficos()[0], QRect(100, 40, 1, 20)));
        }
        QCOMPARE(grosores, "54433221");
        // Amounts over 11,4 keep 11,4 as the bottom: 25,7 lies half way down, not on the edge.
        llamadas = {Lunes(10, 0, 40), Lunes(11, 0, 25.7)};
        QCOMPARE(Graficos()[0].pixel(199, 50), Negro);
    }

    // Rows' background, text, tip: 21:59 still peak, Saturday reduced, unknown type, plan bands.
    void colorFila() {
        ModeloLlamadas modelo(catalogo);
        modelo.Cargar({Lunes(21, 59, 9), UnaLlamada(2001, 6, 2, 17, 0, 9, "Provincial"),
                       Lunes(10, 0, 9, "Local"), Lunes(10, 0, 9, "Valle"),
                       Lunes(12, 0, 9, "Valle")});
        modelo.setColorear(true);
        QStringList filas;
        for (int i = 0; i < modelo.rowCount(); ++i) {
            for (int rol : {Qt::BackgroundRole, Qt::ForegroundRole})
                filas << modelo.index(i, 3).data(rol).value<QColor>().name();
            filas << modelo.index(i, 3).data(Qt::ToolTipRole).toString();
        }
        QCOMPARE(filas.join(' '), "#ffc0c0 #000000 Horario punta #c0ffc0 #000000 Horario reducido "
                                  "#000000 #ffffff  #c0e0ff #000000 valle #ffe4b5 #000000 pico");
    }
};

QTEST_MAIN(TestGraficos)
#include "TestGraficos.moc"

// The tariff viewer Form8: rows of each tab and call type, and choosing the call type.
#include "settings/Ajustes.h"
#include "support/FakeServices.h"
#include "support/Tablas.h"
#include "tariffs/LectorPlanes.h"
#include "ui/tariffs/VisorTarifas.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {
// Label numbers of the first four rows: start, end, set-up, price, bar; the next rows' follow on.
const int Numeros[4][5] = {
    {13, 14, 15, 16, 5}, {17, 18, 19, 20, 6}, {21, 22, 23, 24, 7}, {27, 28, 29, 30, 26}};
const auto Numero = [](int r, int c) { return r < 4 ? Numeros[r][c] : 40 + (r - 4) * 5 + c; };

QString Color(const QColor& c) {
    const int i = QList<QRgb>{0xffc0ffc0, 0xffffffc0, 0xffffc0c0, 0xffffffff}.indexOf(c.rgba());
    return i < 0 ? c.name() : QStringList{"reducido", "normal", "punta", "blanca"}[i];
}
// Type chosen ("": none), tab, rows, stored type, OK or closed, plan "P" (its keys, its type's).
struct Caso {
    const char* fila;
    QString tipo;
    int pestana;
    QString filas, guardado = "";
    bool aceptar = true;
    QString plan = "", pie = "Facturación por segundos.";
};
} // namespace
Q_DECLARE_METATYPE(Caso)

class TestVisor : public QObject {
    Q_OBJECT

    static QLabel* L(Form8& f, int n) { return f.findChild<QLabel*>(QString("Label%1").arg(n)); }

    // Rows as "start end set-up price [bar text] band [what a bar says, if not its band]".
    static QStringList Filas(Form8& f) {
        QStringList filas;
        for (int r = 0; QLabel* barra = L(f, Numero(r, 4)); ++r) {
            QString fila;
            for (int c = 0; c < 5; ++c)
                fila += L(f, Numero(r, c))->text() + " ";
            const QString color = Color(barra->palette().color(QPalette::Window));
            const QString dice = barra->accessibleDescription();
            const bool suya = dice == (color == "blanca" ? "" : "Horario " + color);
            filas << (fila + color + (suya ? "" : " dice " + dice)).simplified();
        }
        return filas;
    }
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // Every band colour, empty rows; a type kept only on OK; a stored non-type selects none.
    void filas_data() {
        const QString v = "|blanca|blanca|blanca";
        QStringList tramos, muchas; // 30 ranges of 48 minutes: 23 rows, and "7 more"
        for (QTime t(0, 0); tramos.size() < 30; t = t.addSecs(2880)) {
            const QString desde = t.toString("HH:mm"), hasta = t.addSecs(2879).toString("HH:mm");
            tramos << QString("\"%1:00-%2:59 punta\"").arg(desde, hasta);
            muchas << desde + " " + hasta + " 0 pts 1 pts punta";
        }
        tabla<Caso>({
            {"Interprovincial Laborales", "Interprovincial", 1,
             "00:00 07:59 15 pts 10,44 pts reducido|08:00 16:59 15 pts 39,45 pts punta|"
             "17:00 21:59 15 pts 25,01 pts normal|22:00 24:00 15 pts 10,44 pts reducido",
             "Metropolitana"},
            {"Provincial Festivos, cerrada", "Provincial", 3,
             "00:00 24:00 15 pts 6,71 pts reducido" + v, "Metropolitana", false},
            {"sin elegir", "", 2, "blanca" + v},
            {"importes largos y diminutos", "Largo", 1,
             "00:00 24:00 123456,789 pts 0,0001 pts punta" + v, "", true,
             "[[tipo]]\nestablecimiento = 123456.789\npasos = [30, 60]\nfranjas = { punta = 1e-4 }",
             "Facturación por pasos de 30 y 60 segundos."},
            {"euros e incluidos", "Euro", 3,
             "00:00 24:00 9,9832 pts (0,06 €) 9,9832 pts (0,06 €) punta" + v, "provincial", true,
             "moneda = \"euros\"\n[[tipo]]\nestablecimiento = 0.06\nincluidos = 90\nminimo = 0.09\n"
             "franjas = { punta = 0.06 }",
             "Facturación por segundos; el establecimiento incluye 90 segundos. Mínimo 14,9747 pts "
             "(0,09 €)."},
            {"muchos tramos", "Tramos", 1, muchas.mid(0, 23).join('|') + "|… y 7 tramos más blanca",
             "", true, "[[tipo]]\nfranjas = { punta = 1 }\nlaborales = [" + tramos.join(',') + "]"},
        });
    }
    void filas() {
        const auto& c = fila<Caso>();
        ServiciosFalsos sf;
        sf.ajustes.valores["vatrimox/tarifas/tarifa"] = c.guardado.toStdString();
        General::EstadoPrograma estado;
        estado.TipoLlamada = "Metropolitana";
        if (!c.plan.isEmpty()) {
            QString texto = "nombre = \"P\"\n" + c.plan + "\nnombre = \"" + c.tipo + "\"\n";
            for (QString dia : {"laborales", "sabados", "festivos"})
                texto += texto.contains(dia) ? "" : dia + " = [\"00:00:00-23:59:59 punta\"]\n";
            const auto r = Tarifas::LeerPlan(texto.toStdString(), "p.toml", estado.catalogo);
            QVERIFY2(r.plan, r.error.Texto().c_str());
            estado.catalogo.planes.push_back(*r.plan);
        }
        Form8 f(sf.servicios, estado);
        f.show();
        auto* combo = f.findChild<QComboBox*>("Combo1");
        QCOMPARE(combo->currentText(), c.guardado == "Metropolitana" ? c.guardado : "");
        QTest::mouseClick(f.findChild<QWidget*>(QString("Pestana%1").arg(c.pestana)),
                          Qt::LeftButton);
        if (!c.tipo.isEmpty())
            combo->setCurrentText(c.tipo);
        QCOMPARE(Filas(f) << L(f, 25)->text(), (c.filas + "|" + c.pie).split('|'));
        QCOMPARE(L(f, c.pestana)->palette().color(QPalette::Window), Form8::ColorPestanaMostrada());
        for (QLabel* l : f.findChildren<QLabel*>()) // every text whole
            QVERIFY2(l->wordWrap() || l->sizeHint().width() <= l->width(), qPrintable(l->text()));
        c.aceptar ? f.findChild<QPushButton*>("Command1")->click() : void(f.close());
        const QString elegido = c.aceptar ? c.tipo : "";
        sf.Comprobar();
        QCOMPARE(QString::fromStdString(estado.TipoLlamada) + " " + sf.ajustes.escrituras.join(','),
                 elegido.isEmpty() ? "Metropolitana " : elegido + " Tarifas/Tarifa=" + elegido);
    }
};

QTEST_MAIN(TestVisor)
#include "TestVisor.moc"

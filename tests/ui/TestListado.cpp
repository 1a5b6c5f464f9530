// The printed listing, printed to PDF and read back with pdftotext -bbox.
#include "ui/BancoVentanaLlamadas.h"

namespace {
constexpr double PuntosPorCm = 72 / 2.54;

struct Palabra {
    double x, y; // left edge and top in points
    QString texto;
};
using Paginas = QList<QList<Palabra>>;

Paginas LeerPdf(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    if (!p.waitForFinished(30000)) // the Makefile installs it
        qFatal("falta pdftotext: instale el paquete poppler-utils");
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    Paginas paginas;
    static const QRegularExpression re(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (auto it = re.globalMatch(salida); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page"))
            paginas.append(QList<Palabra>());
        else if (!paginas.isEmpty())
            paginas.back().append({m.captured(1).toDouble(), m.captured(2).toDouble(),
                                   m.captured(3).replace("&quot;", "\"")});
    }
    return paginas;
}
const Palabra* Buscar(const QList<Palabra>& pagina, const QString& texto) {
    const auto p = std::ranges::find(pagina, texto, &Palabra::texto);
    return p == pagina.end() ? nullptr : &*p;
}
bool EnCm(const Palabra* p, double cm) {
    return p && std::abs(p->x - cm * PuntosPorCm) < 1.5;
}
// The words on the line whose first word is `inicio`, joined by blanks.
QString Linea(const QList<Palabra>& pagina, const QString& inicio) {
    const Palabra* primera = Buscar(pagina, inicio);
    QStringList r;
    for (const Palabra& p : pagina)
        if (primera && std::abs(p.y - primera->y) < 1)
            r << p.texto;
    return r.join(' ');
}
} // namespace

class TestListado : public BancoVentanaLlamadas {
    Q_OBJECT

    // The call at row 2 has -3 billed seconds, printed as a negative number.
    Paginas Imprimir(int llamadas) {
        std::vector<Llamada> v;
        for (int i = 1; i <= llamadas; ++i)
            v.push_back({*Fechas::crearDia(1999, 3, 1 + i % 28), 3600 * (i % 24) + 5, 125,
                         i == 2 ? -3 : 60, *Moneda::desdeTexto("12.5"), "Metropolitana"});
        auto ventana = Abrir(v);
        avisos.responder(Otro("listado"));
        ventana->ExportarPdf();
        return LeerPdf(Otro("listado.pdf"));
    }

private slots:
    void init() { Preparar(); }
    void cleanup() { Comprobar(); }

    // With no calls the column headings are still printed, last. A long listing has its headings
    // on page 1 only, every call numbered above the bottom margin; the columns are 2.5 cm apart.
    void listado() {
        ajustes.write("VatriMox", "Opciones", "Fuente", "DejaVu Sans");
        ajustes.write("VatriMox", "Opciones", "FontSize", "9");
        reloj.poner(1999, 3, 15, 12, 30, 5);
        const auto vacio = Imprimir(0);
        QCOMPARE(vacio.size(), 1);
        QCOMPARE(Linea(vacio[0], "total") + vacio[0].last().texto,
                 QString("Importe total .................: 0 ptsTarifa"));
        const auto paginas = Imprimir(250);
        const auto& p = paginas[0];
        QCOMPARE(Linea(p, "Listado"), QString("Listado imprimido el día: 15/3/99 12:30:05"));
        QCOMPARE(Linea(p, "Llamadas"), "Llamadas registradas en el archivo: " + Actual());
        QCOMPARE(Linea(p, "efectuadas"), QString("Llamadas efectuadas ...: 250."));
        QCOMPARE(Linea(p, "facturados"), QString("Segundos facturados ...: 14937 \""));
        QCOMPARE(Linea(p, "conexión"), QString("Tiempo de conexión .....: 08:40:50"));
        QCOMPARE(Linea(p, "total"), QString("Importe total .................: 3125 pts"));
        QCOMPARE(Linea(p, "Duracion"), QString("Nº Fecha Hora Duracion Segundos Importe Tarifa"));
        QCOMPARE(Linea(p, "-3"), QString("2 3/3/99 2:00:05 0:02:05 -3 12,5 Metropolitana"));
        int columna = 0;
        for (const Palabra& w : p)
            if (std::abs(w.y - Buscar(p, "Nº")->y) < 1)
                QVERIFY2(EnCm(&w, 1.5 + 2.5 * columna++), qPrintable(w.texto));
        // Negative numbers start where positive ones leave a blank.
        QVERIFY(EnCm(Buscar(p, "VatriMox"), 1.5) && EnCm(Buscar(p, "3125"), 6.5) &&
                EnCm(Buscar(p, "-3"), 11.5));
        const auto segundos = [](const Palabra& w) { return w.texto == "60" && w.x > 150; };
        QVERIFY(std::ranges::find_if(p, segundos)->x > Buscar(p, "-3")->x + 1);
        QStringList numeros;
        for (const auto& pagina : paginas) {
            QCOMPARE(!Buscar(pagina, "Duracion") && !Buscar(pagina, "VatriMox"), &pagina != &p);
            for (const Palabra& w : pagina) {
                QVERIFY(w.y < (29.7 - 1.5) * PuntosPorCm);
                if (std::abs(w.x - 1.5 * PuntosPorCm) < 8 && w.texto.toInt() > 0)
                    numeros << w.texto;
            }
        }
        QCOMPARE(QString::number(numeros.size()) + "/" + numeros.back(), QString("250/250"));
    }
};

QTEST_MAIN(TestListado)
#include "TestListado.moc"

// Tariff table, call pricing, billed seconds and band colours, against a per-second count.
#include "core/Moneda.h"
#include "tariffs/Tarifas.h"

#include <QtTest>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace Tarifas;

namespace {

enum Tipo { Metropolitana, Provincial, Interprovincial, Ninguno };

Tipo tipoDe(const std::string& t) {
    if (t == "Metropolitana")
        return Metropolitana;
    if (t == "Provincial")
        return Provincial;
    if (t == "Interprovincial")
        return Interprovincial;
    return Ninguno;
}

struct Precios {
    double establecimiento, reducida, normal, punta;
};
constexpr Precios PreciosDe[] = {
    {11.4, 1.64, 0, 4.52}, {15, 6.71, 13.4, 15.45}, {15, 10.44, 25.01, 39.45}};

struct Cuenta {
    long reducida = 0, normal = 0, punta = 0;
};

// Counts second s of a day of weekday `dia` in the band whose range holds it.
void contar(Tipo tipo, int dia, long s, Cuenta& c) {
    if (dia == 7) {
        ++c.reducida;
    } else if (dia == 6 || tipo == Metropolitana) {
        const long finPunta = dia == 6 ? 50399 : 79199;
        if (s >= 0 && s <= 28799)
            ++c.reducida;
        else if (s >= 28800 && s <= finPunta)
            ++c.punta;
        else if (s >= finPunta + 1 && s <= 86399)
            ++c.reducida;
    } else {
        if (s >= 0 && s <= 28799)
            ++c.reducida;
        else if (s >= 28800 && s <= 61199)
            ++c.punta;
        else if (s >= 61200 && s <= 79199)
            ++c.normal;
        else if (s >= 79200 && s <= 86399)
            ++c.reducida;
    }
}

Moneda conIVA(Moneda importe, int iva, int porcentaje) {
    if (iva == 1)
        importe += Moneda::redondear((importe * porcentaje).aDouble() / 100.0);
    return importe;
}

// The meter's per-second pricing within one day: every second from the first counted one up
// to the current second - 1, each classified by the band ranges, summed in this order.
Moneda costePorSegundo(long inicio, long actual, int dia, const std::string& nombre,
                       long transcurridos, int iva, int porcentaje) {
    const Tipo tipo = tipoDe(nombre);
    if (dia < 1 || dia > 7 || tipo == Ninguno)
        return conIVA(Moneda(), iva, porcentaje);
    const Precios& p = PreciosDe[tipo];
    if (tipo == Metropolitana && transcurridos <= 160)
        return conIVA(Moneda::redondear(p.establecimiento), iva, porcentaje);
    Cuenta c;
    for (long s = tipo == Metropolitana ? inicio + 160 : inicio; s <= actual - 1; ++s)
        contar(tipo, dia, s, c);
    const double r = p.reducida / 60.0, n = p.normal / 60.0, u = p.punta / 60.0;
    double importe;
    if (dia == 7)
        importe = c.reducida * r + p.establecimiento;
    else if (dia == 6 || tipo == Metropolitana)
        importe = (c.reducida * r + p.establecimiento) + c.punta * u;
    else
        importe = ((c.reducida * r + p.establecimiento) + c.normal * n) + c.punta * u;
    return conIVA(Moneda::redondear(importe), iva, porcentaje);
}

// The same count across days: each second by the weekday of its own date.
Moneda costeVariosDias(long inicio, int dia, long transcurridos, const std::string& nombre, int iva,
                       int porcentaje) {
    const Tipo tipo = tipoDe(nombre);
    if (dia < 1 || dia > 7 || tipo == Ninguno)
        return Moneda();
    const Precios& p = PreciosDe[tipo];
    Cuenta c;
    const long primero = inicio + (tipo == Metropolitana ? 160 : 0);
    for (long s = primero;
         transcurridos > (tipo == Metropolitana ? 160 : 0) && s <= inicio + transcurridos - 1;
         ++s) {
        const long d = s >= 0 ? s / 86400 : -((-s + 86399) / 86400);
        contar(tipo, int(((dia - 1 + d) % 7 + 7) % 7 + 1), s - d * 86400, c);
    }
    const double importe =
        ((c.reducida * (p.reducida / 60.0) + p.establecimiento) + c.normal * (p.normal / 60.0)) +
        c.punta * (p.punta / 60.0);
    return conIVA(Moneda::redondear(importe), iva, porcentaje);
}

QString texto(Moneda m) {
    return QString::fromStdString(m.textoArchivo());
}

std::string diferencia(const std::string& tipo, int dia, long inicio, long largo, int iva, int pct,
                       Moneda m, Moneda r) {
    return tipo + " dia " + std::to_string(dia) + " desde " + std::to_string(inicio) + ", " +
           std::to_string(largo) + " s, IVA " + std::to_string(iva) + "/" + std::to_string(pct) +
           ": " + m.textoArchivo() + " != " + r.textoArchivo();
}

} // namespace

class TestTarifas : public QObject {
    Q_OBJECT
private slots:
    void coste_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("dia");
        QTest::addColumn<int>("inicio");
        QTest::addColumn<qint64>("transcurridos");
        QTest::addColumn<int>("iva");
        QTest::addColumn<int>("porcentaje");
        QTest::addColumn<QString>("importe");
        const auto fila = [](const char* n, const char* tipo, int dia, int inicio, qint64 t,
                             int iva, int pct, const char* importe) {
            QTest::newRow(n) << tipo << dia << inicio << t << iva << pct << importe;
        };
        fila("metropolitana 100 s", "Metropolitana", 1, 36000, 100, 0, 16, "11.4");
        fila("metropolitana 100 s con IVA", "Metropolitana", 1, 36000, 100, 1, 16, "13.224");
        fila("IVA solo con el valor 1", "Metropolitana", 1, 36000, 100, 2, 16, "11.4");
        fila("metropolitana 160 s", "Metropolitana", 2, 36000, 160, 0, 0, "11.4");
        fila("metropolitana 300 s", "Metropolitana", 3, 36000, 300, 0, 0, "21.9467");
        fila("provincial punta y normal", "Provincial", 4, 61140, 120, 0, 0, "43.85");
        fila("interprovincial domingo", "Interprovincial", 7, 43200, 600, 0, 0, "119.4");
        fila("provincial al empezar", "Provincial", 5, 50000, 0, 0, 0, "15");
        fila("segundos de negociacion", "Provincial", 2, 61185, 15, 0, 0, "18.8625");
        fila("tipo desconocido", "Urbana", 1, 36000, 600, 1, 16, "0");
        fila("tipo vacio", "", 1, 36000, 600, 0, 0, "0");
        fila("tipo en minusculas", "provincial", 1, 36000, 600, 0, 0, "0");
        fila("dia 0", "Provincial", 0, 36000, 600, 0, 0, "0");
        fila("dia 8", "Provincial", 8, 36000, 600, 1, 16, "0");
        fila("viernes a sabado", "Provincial", 5, 86340, 120, 0, 0, "28.42");
        fila("sabado punta a domingo", "Interprovincial", 6, 50340, 36120, 0, 0, "6328.89");
        fila("domingo a lunes", "Provincial", 7, 82800, 36000, 0, 0, "4565.4");
        fila("negociacion el domingo", "Interprovincial", 1, -10, 28870, 0, 0, "5067.39");
        fila("25 horas", "Provincial", 1, 0, 90000, 0, 0, "16806.6");
    }
    void coste() {
        QFETCH(QString, tipo);
        QFETCH(int, dia);
        QFETCH(int, inicio);
        QFETCH(qint64, transcurridos);
        QFETCH(int, iva);
        QFETCH(int, porcentaje);
        QFETCH(QString, importe);
        const std::string t = tipo.toStdString();
        const Moneda m =
            CosteLlamada(inicio, dia, transcurridos, t, uint8_t(iva), uint8_t(porcentaje));
        QCOMPARE(texto(m), importe);
        QCOMPARE(m, costeVariosDias(inicio, dia, transcurridos, t, iva, porcentaje));
    }

    // Every band limit of every call type and day type, the call starting or ending a second
    // before, at or after it; "Metropolitana" also with its first billed second there.
    void limitesDeFranja() {
        const int limites[] = {0, 28800, 50400, 61200, 79200, 86400};
        std::vector<int> puntos;
        for (int l : limites)
            for (int d : {-1, 0, 1})
                for (int incluidos : {0, 160})
                    if (l + d - incluidos >= 0 && l + d - incluidos <= 86400)
                        puntos.push_back(l + d - incluidos);
        int casos = 0;
        for (const char* tipo : {"Metropolitana", "Provincial", "Interprovincial"})
            for (int dia : {3, 6, 7})
                for (int inicio : puntos)
                    for (int fin : puntos) {
                        if (fin < inicio || inicio > 86399)
                            continue;
                        const int iva = ++casos % 2, pct = casos % 256;
                        const Moneda m = CosteLlamada(inicio, dia, fin - inicio, tipo, iva, pct);
                        const Moneda r =
                            costePorSegundo(inicio, fin, dia, tipo, fin - inicio, iva, pct);
                        QVERIFY2(
                            m == r,
                            diferencia(tipo, dia, inicio, fin - inicio, iva, pct, m, r).c_str());
                    }
        QVERIFY(casos > 1000);
    }

    void llamadasAleatoriasDeUnDia() {
        std::mt19937 azar(19990415);
        const char* tipos[] = {"Metropolitana", "Provincial", "Interprovincial"};
        for (int i = 0; i < 3000; ++i) {
            const std::string tipo = tipos[azar() % 3];
            const int dia = int(azar() % 7) + 1;
            const int inicio = int(azar() % 86400);
            const int largo = int(azar() % (i % 2 ? 600 : 86400 - inicio + 1));
            const int fin = std::min(inicio + largo, 86400);
            const int iva = int(azar() % 3), pct = int(azar() % 256);
            const Moneda m = CosteLlamada(inicio, dia, fin - inicio, tipo, iva, pct);
            const Moneda r = costePorSegundo(inicio, fin, dia, tipo, fin - inicio, iva, pct);
            QVERIFY2(m == r, diferencia(tipo, dia, inicio, fin - inicio, iva, pct, m, r).c_str());
        }
    }

    // Calls over midnight, with negotiation seconds on the previous day, and over whole weeks.
    void llamadasAleatoriasDeVariosDias() {
        std::mt19937 azar(19991231);
        const char* tipos[] = {"Metropolitana", "Provincial", "Interprovincial"};
        for (int i = 0; i < 240; ++i) {
            const std::string tipo = tipos[azar() % 3];
            const int dia = int(azar() % 7) + 1;
            const int inicio = int(azar() % (86400 + 255)) - 255;
            const long dias = i < 20 ? 20 : 3;
            const long largo = long(azar() % (dias * 86400));
            const int iva = int(azar() % 2), pct = int(azar() % 256);
            const Moneda m = CosteLlamada(inicio, dia, largo, tipo, iva, pct);
            const Moneda r = costeVariosDias(inicio, dia, largo, tipo, iva, pct);
            QVERIFY2(m == r, diferencia(tipo, dia, inicio, largo, iva, pct, m, r).c_str());
        }
    }

    void llamadasImposiblementeLargas() {
        const qint64 maximo = std::numeric_limits<qint64>::max();
        QCOMPARE(CosteLlamada(0, 1, maximo, "Interprovincial", 1, 255).diezmilesimas(), maximo);
        const Moneda largo = CosteLlamada(0, 1, maximo / 10000000, "Interprovincial", 1, 255);
        QVERIFY(largo > Moneda() && largo.diezmilesimas() < maximo);
        QCOMPARE(CosteLlamada(-255, 7, -5, "Provincial", 0, 0), Moneda::desdeEntero(15));
    }

    void contadorFacturacion_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<qint64>("diezmilesimas");
        QTest::addColumn<int>("devuelto");
        QTest::addColumn<int>("facturados");
        QTest::newRow("metro al empezar") << "Metropolitana" << qint64(0) << 160 << 0;
        QTest::newRow("metro 40 s") << "Metropolitana" << qint64(400000) << 120 << 0;
        QTest::newRow("metro 160 s") << "Metropolitana" << qint64(1600000) << 0 << 0;
        QTest::newRow("metro 300 s") << "Metropolitana" << qint64(3000000) << 140 << 140;
        QTest::newRow("metro media a favor") << "Metropolitana" << qint64(1605000) << 1 << 1;
        QTest::newRow("metro media en contra") << "Metropolitana" << qint64(1595000) << 1 << 0;
        QTest::newRow("provincial") << "Provincial" << qint64(1200000) << 120 << 120;
        QTest::newRow("interprovincial media") << "Interprovincial" << qint64(105000) << 11 << 11;
        QTest::newRow("sin tipo") << "" << qint64(750000) << 75 << 75;
        QTest::newRow("metro en minusculas") << "metropolitana" << qint64(400000) << 40 << 40;
        QTest::newRow("metro desbordado")
            << "Metropolitana" << std::numeric_limits<qint64>::min() << 2147483647 << 0;
        QTest::newRow("provincial desbordado")
            << "Provincial" << std::numeric_limits<qint64>::max() << 2147483647 << 2147483647;
    }
    void contadorFacturacion() {
        QFETCH(QString, tipo);
        QFETCH(qint64, diezmilesimas);
        QFETCH(int, devuelto);
        QFETCH(int, facturados);
        EstadoLlamada estado;
        estado.SegundosTranscurridos = Moneda::desdeDiezmilesimas(diezmilesimas);
        estado.SegundosFacturados = -99;
        QCOMPARE(ContadorFacturacion(tipo.toStdString(), estado), devuelto);
        QCOMPARE(estado.SegundosFacturados, facturados);
    }

    void colorFranja_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("dia");
        QTest::addColumn<int>("hora");
        QTest::addColumn<uint>("color");
        const uint r = ColorReducida, n = ColorNormal, p = ColorPunta;
        for (const char* t : {"Metropolitana", "Provincial", "Interprovincial"}) {
            const bool metro = QByteArray(t) == "Metropolitana";
            const std::pair<int, uint> laborables[] = {{0, r},
                                                       {7, r},
                                                       {8, p},
                                                       {13, p},
                                                       {14, p},
                                                       {16, p},
                                                       {17, metro ? p : n},
                                                       {21, metro ? p : n},
                                                       {22, r},
                                                       {23, r}};
            for (auto [hora, color] : laborables)
                QTest::newRow(qPrintable(QString("%1 miercoles %2h").arg(t).arg(hora)))
                    << t << 3 << hora << color;
            for (auto [hora, color] : {std::pair{7, r}, {8, p}, {13, p}, {14, r}, {17, r}, {22, r}})
                QTest::newRow(qPrintable(QString("%1 sabado %2h").arg(t).arg(hora)))
                    << t << 6 << hora << color;
            for (int hora : {0, 8, 12, 17, 23})
                QTest::newRow(qPrintable(QString("%1 domingo %2h").arg(t).arg(hora)))
                    << t << 7 << hora << r;
            QTest::newRow(qPrintable(QString("%1 hora 24").arg(t))) << t << 1 << 24 << 0u;
            QTest::newRow(qPrintable(QString("%1 hora -1").arg(t))) << t << 1 << -1 << 0u;
            QTest::newRow(qPrintable(QString("%1 dia 0").arg(t))) << t << 0 << 10 << 0u;
            QTest::newRow(qPrintable(QString("%1 dia 8").arg(t))) << t << 8 << 10 << 0u;
        }
        QTest::newRow("minusculas") << "provincial" << 1 << 10 << 0u;
        QTest::newRow("vacio") << "" << 7 << 10 << 0u;
    }
    void colorFranja() {
        QFETCH(QString, tipo);
        QFETCH(int, dia);
        QFETCH(int, hora);
        QFETCH(uint, color);
        QCOMPARE(ColorFranja(hora, dia, tipo.toStdString()), uint32_t(color));
    }

    // The band of every second agrees with the band ranges of the tariff.
    void franjaDeCadaSegundo() {
        for (const TarifaLlamada* t : {BuscarTarifa("Metropolitana"), BuscarTarifa("Provincial"),
                                       BuscarTarifa("Interprovincial")})
            for (int dia : {1, 6, 7}) {
                TipoDia tipoDia;
                QVERIFY(TipoDiaDe(dia, tipoDia));
                for (long s = 0; s < 86400; ++s) {
                    Cuenta c;
                    contar(tipoDe(std::string(t->nombre)), dia, s, c);
                    const Franja esperada = c.punta    ? Franja::punta
                                            : c.normal ? Franja::normal
                                                       : Franja::reducida;
                    if (FranjaDe(*t, tipoDia, int32_t(s)) != esperada)
                        QFAIL(qPrintable(
                            QString("%1 dia %2 segundo %3").arg(t->nombre.data()).arg(dia).arg(s)));
                }
            }
    }

    void tiposYDias() {
        for (std::string_view t : TiposLlamada)
            QCOMPARE(BuscarTarifa(t)->nombre, t);
        for (const char* t : {"", "provincial", "PROVINCIAL", "Provincial ", "Interprov"})
            QVERIFY2(!BuscarTarifa(t), t);
        TipoDia d = TipoDia::Sabados;
        QVERIFY(!TipoDiaDe(0, d) && !TipoDiaDe(8, d));
        QCOMPARE(d, TipoDia::Sabados);
        QVERIFY(TipoDiaDe(5, d) && d == TipoDia::Laborales);
        QVERIFY(TipoDiaDe(7, d) && d == TipoDia::Festivos);
        QCOMPARE(ColorDe(Franja::normal), 0x00C0FFFFu);
    }

    // Rows as the tariff viewer shows them: clock times, band and price per minute.
    void filasDelVisor_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("dia");
        QTest::addColumn<QString>("filas");
        QTest::newRow("metro laborales")
            << "Metropolitana" << 0 << "00:00-07:59 r 1.64|08:00-21:59 p 4.52|22:00-24:00 r 1.64";
        QTest::newRow("provincial laborales")
            << "Provincial" << 0
            << "00:00-07:59 r 6.71|08:00-16:59 p 15.45|17:00-21:59 n 13.4|22:00-24:00 r 6.71";
        QTest::newRow("interprovincial laborales")
            << "Interprovincial" << 0
            << "00:00-07:59 r 10.44|08:00-16:59 p 39.45|17:00-21:59 n 25.01|22:00-24:00 r 10.44";
        QTest::newRow("metro sabados")
            << "Metropolitana" << 1 << "00:00-07:59 r 1.64|08:00-13:59 p 4.52|14:00-24:00 r 1.64";
        QTest::newRow("provincial sabados")
            << "Provincial" << 1 << "00:00-07:59 r 6.71|08:00-13:59 p 15.45|14:00-24:00 r 6.71";
        QTest::newRow("interprovincial sabados")
            << "Interprovincial" << 1
            << "00:00-07:59 r 10.44|08:00-13:59 p 39.45|14:00-24:00 r 10.44";
        QTest::newRow("metro festivos") << "Metropolitana" << 2 << "00:00-24:00 r 1.64";
        QTest::newRow("provincial festivos") << "Provincial" << 2 << "00:00-24:00 r 6.71";
        QTest::newRow("interprovincial festivos")
            << "Interprovincial" << 2 << "00:00-24:00 r 10.44";
    }
    void filasDelVisor() {
        QFETCH(QString, tipo);
        QFETCH(int, dia);
        QFETCH(QString, filas);
        const TarifaLlamada* t = BuscarTarifa(tipo.toStdString());
        QStringList leidas;
        for (const Tramo& f : t->tramos[dia])
            leidas << QString("%1-%2 %3 %4")
                          .arg(QString::fromStdString(HoraDesde(f)),
                               QString::fromStdString(HoraHasta(f)), QString("rnp")[int(f.franja)],
                               QString::number(t->precioMinuto[Indice(f.franja)]));
        QCOMPARE(leidas.join('|'), filas);
        QCOMPARE(t->establecimiento, tipo == "Metropolitana" ? 11.4 : 15.0);
        QCOMPARE(t->segundosIncluidos, tipo == "Metropolitana" ? 160 : 0);
    }
};

QTEST_GUILESS_MAIN(TestTarifas)
#include "TestTarifas.moc"

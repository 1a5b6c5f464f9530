// Plan files: refusals, pricing against a step-by-step count, shipped examples, comparison.
#include "stats/TotalesFranja.h"
#include "support/Archivos.h"
#include "support/Tablas.h"
#include "tariffs/Comparacion.h"
#include "tariffs/LectorPlanes.h"

#include <fstream>
#include <linux/capability.h>
#include <random>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Tarifas;
namespace fs = std::filesystem;

namespace {

// A valid plan; the refusal rows change one piece of it.
const std::string Base = R"(nombre = "Prueba"
moneda = "euros"
dias_festivos = [1999-01-06, "25/12"]
[[tipo]]
nombre = "Minutos"
pasos = [60, 60]
franjas = { punta = 0.06, reducida = 0.03 }
laborales = ["00:00:00-07:59:59 reducida",
             "08:00:00-19:59:59 punta",
             "20:00:00-23:59:59 reducida"]
sabados = ["00:00:00-23:59:59 reducida"]
festivos = ["00:00:00-23:59:59 reducida"]
)";

// Root without the capabilities that read any file (word 0; kept permitted, to raise again).
bool LeerLoAjeno(bool si) {
    __user_cap_header_struct cabecera{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct datos[_LINUX_CAPABILITY_U32S_3]{};
    const bool leidas = syscall(SYS_capget, &cabecera, datos) == 0;
    const uint32_t dac = CAP_TO_MASK(CAP_DAC_OVERRIDE) | CAP_TO_MASK(CAP_DAC_READ_SEARCH);
    datos[0].effective = (datos[0].effective & ~dac) | (si ? datos[0].permitted & dac : 0);
    return leidas && syscall(SYS_capset, &cabecera, datos) == 0;
}

// Base with each ';'-separated "old|new" made; "+": the type twice; "-": no type.
std::string Cambiado(const std::string& cambios) {
    if (cambios == "-")
        return Base.substr(0, Base.find("[[tipo]]"));
    if (cambios.starts_with('+'))
        return Base + Base.substr(Base.find("[[tipo]]")) + cambios.substr(1);
    std::string texto = Base;
    for (const QString& c : QString::fromStdString(cambios).split(';', Qt::SkipEmptyParts)) {
        const std::string s = c.toStdString();
        const auto barra = s.find('|'), en = texto.find(s.substr(0, barra));
        texto.replace(en, barra, s.substr(barra + 1));
    }
    return texto;
}

// A change to Base, the line named (0: none) and the problem.
using Rechazo = std::tuple<std::string, int, std::string>;

Plan Leido(const std::string& texto) {
    return LeerPlan(texto, "p.toml", CatalogoIncorporado()).plan.value();
}

// Each step begun after the included seconds charged whole in the band it begins in; the exact
// amount with IVA rounded once to the ten-thousandth, halves to even.
Moneda PasoAPaso(const Plan& plan, const TipoPlan& t, Fechas::Dia fecha, int inicio, long largo,
                 int iva = 0) {
    int64_t sesentavos = t.establecimiento.diezmilesimas() * 60; // of a ten-thousandth
    long d = -1000, a = inicio + t.segundosIncluidos;
    int tipoDia = 0;
    for (long s = a; s < inicio + largo; s += s == a ? t.primerPaso : t.paso) {
        if (s - d * 86400 >= 86400 || s < d * 86400) { // a new day: its type, holidays first
            d = s / 86400 - (s % 86400 < 0);
            const Fechas::Dia dia = fecha + std::chrono::days{d};
            const std::chrono::year_month_day ymd{dia};
            bool festivo = false;
            for (const Festivo& f : plan.festivos)
                festivo |= (f.anio == 0 || f.anio == int(ymd.year())) &&
                           f.mes == int(unsigned(ymd.month())) && f.dia == int(unsigned(ymd.day()));
            tipoDia = festivo || Fechas::DiaSemana(dia) == 7 ? 2 : Fechas::DiaSemana(dia) == 6;
        }
        for (const TramoPlan& r : t.tramos[tipoDia])
            if (s - d * 86400 >= r.desde && s - d * 86400 <= r.hasta)
                sesentavos += (s == a ? t.primerPaso : t.paso) *
                              t.franjas[r.franja].precioMinuto.diezmilesimas();
    }
    sesentavos = std::max(sesentavos, t.minimo.diezmilesimas() * 60) * (100 + iva);
    const int64_t q = sesentavos / 6000, r = sesentavos % 6000;
    return Moneda::desdeDiezmilesimas(q + (r > 3000 || (r == 3000 && q % 2)));
}

} // namespace

class TestPlanes : public QObject {
    Q_OBJECT
private slots:
    void rechazos_data() {
        // "+": the type twice; "@kind": a folder, links, a file no one may read
        QTest::addColumn<Rechazo>("caso");
        const auto fila = [](const char* n, const char* c, int l, const std::string& p) {
            QTest::newRow(n) << Rechazo{c, l, p};
        };
        fila("hueco", "08:00:00-19|08:30:00-19", 9, "hueco de 08:00:00 a 08:29:59 en «laborales»");
        fila("solapamiento", "20:00:00-23|19:00:00-23", 10, "solapamiento en 19:00:00");
        fila("fin", "20:00:00-23:59:59|20:00:00-23:00:00", 10, "hueco de 23:00:01 a 23:59:59");
        fila("franja", "59 reducida\"]\nf|59 pico\"]\nf", 11, "franja desconocida «pico»");
        fila("tramo", "08:00:00-19:59:59|08:00-19:59", 9, "tramo no válido");
        fila("precio negativo", "punta = 0.06|punta = -0.06", 7, "precio negativo");
        fila("paso 0", "[60, 60]|[60, 0]", 6, "«pasos» debe ser un entero de 1 a 86400");
        fila("fecha imposible", "\"25/12\"|\"31/02\"", 3, "fecha no válida «31/02»");
        fila("fecha sin sentido", "\"25/12\"|\"/8/12\"", 3, "fecha no válida «/8/12»");
        fila("punto en el día", "\"25/12\"|\"3./12\"", 3, "fecha no válida «3./12»");
        fila("repetido", "+", 14, "tipo de llamada «Minutos» repetido");
        fila("sin tipo", "-", 1, "falta «tipo»");
        fila("base", "Minutos|Provincial", 5, "«Provincial» ya existe en la tarifa incorporada");
        fila("plan incorporado", "\"Prueba\"|\"Tarifa nacional 1999\"", 1, "ya existe");
        fila("moneda", "\"euros\"|\"duros\"", 2, "moneda desconocida «duros»");
        fila("clave desconocida", "pasos =|paso =", 6, "clave desconocida «paso»");
        fila("color", "0.06|{precio=0.06, color=\"rojo\"}", 7, "color no válido «rojo» (#RRGGBB)");
        fila("oscuro", "0.06|{precio=0, color=\"#000080\"}", 7, "demasiado oscuro «#000080»");
        // Syntax errors in Spanish, with the column (some made the TOML library assert).
        const auto sx = [&](const char* n, const char* c, int l, int columna, const char* resto) {
            fila(n, c, l, "columna " + std::to_string(columna) + ": error de sintaxis" + resto);
        };
        sx("sin ''", "\"euros\"|euros", 2, 10, ": valor no reconocido (¿faltan las comillas?)");
        sx("cabecera rota", "[[tipo]]|[:", 4, 2, ": clave no válida");
        sx("letra sin comillas", "\"euros\"|pésetas", 2, 10, "");
        sx("comillas", "\"Minutos\"|\"Minutos", 5, 18, ": comillas sin cerrar en su línea");
        sx("falta el igual", "pasos =|pasos", 6, 7, ": falta «=»");
        sx("lista", "\"25/12\"]|\"25/12\"", 4, 1, ": falta «,» o «]» en la lista");
        sx("clave 2", "moneda = |moneda = \"euros\"\nmoneda = ", 3, 10, ": clave repetida");
        sx("fecha toml", "1999-01-06|1999-13-06", 3, 25, ": fecha u hora no válida");
        fila("carpeta", "@carpeta", 0, "es una carpeta, no un archivo; no se ha leído");
        fila("bucle de enlaces", "@bucle", 0, std::strerror(ELOOP));
        fila("enlace roto", "@roto", 0, "no se puede leer: " + std::string(std::strerror(ENOENT)));
        fila("sin permiso", "@ilegible", 0, std::strerror(EACCES));
    }
    // Through the catalogue: the file is named, with the line and the problem, and left out.
    void rechazos() {
        const auto& [c, linea, problema] = fila<Rechazo>();
        QTemporaryDir dir;
        const fs::path ruta = dir.filePath("p.toml").toStdString();
        if (c == "@carpeta")
            fs::create_directory(ruta);
        else if (c == "@bucle" || c == "@roto")
            fs::create_symlink(c == "@bucle" ? "p.toml" : "otro.toml", ruta);
        else
            std::ofstream(ruta) << Cambiado(c == "@ilegible" ? "" : c);
        if (c == "@ilegible")
            fs::permissions(ruta, fs::perms::none);
        QVERIFY2(c != "@ilegible" || LeerLoAjeno(false), "cannot drop the read capabilities");
        const Catalogo cat = CargarCatalogo(dir.path().toStdString());
        QVERIFY(LeerLoAjeno(true) && cat.planes.size() == 1 && cat.errores.size() == 1);
        const QString error = QString::fromStdString(cat.errores[0]);
        const QString donde = linea ? QString("línea %1[,:]").arg(linea) : QString(":");
        QVERIFY2(error.contains(QRegularExpression("^tarifas/p\\.toml(, )?" + donde)) &&
                     error.contains(QString::fromStdString(problema)),
                 qPrintable(error));
    }

    // A bad file is left out and named, the rest load; no folder: the built-in tariff alone.
    void catalogo() {
        QTemporaryDir dir;
        Escribir(dir.filePath("a.toml"), Base.c_str());
        Escribir(dir.filePath("b.toml"), Cambiado("\"Prueba\"|\"Otra\"").c_str());
        Escribir(dir.filePath("d.txt"), "no es un plan");
        const Catalogo cat = CargarCatalogo(dir.path().toStdString());
        QVERIFY(cat.planes.size() == 2 && cat.errores.size() == 1);
        QCOMPARE(cat.planes[1].nombre, "Prueba");
        QCOMPARE(cat.errores[0], "tarifas/b.toml, línea 5: el tipo de llamada «Minutos» ya "
                                 "existe en tarifas/a.toml");
        const Catalogo vacio = CargarCatalogo(dir.filePath("no-existe").toStdString());
        QVERIFY(vacio.planes.size() == 1 && vacio.errores.empty());
    }

    // The shipped examples read; the 1999 tariff as a file prices as the built-in one but holidays.
    void ejemplos() {
        const Catalogo cat = CargarCatalogo(VM_DOCS "/tarifas");
        QVERIFY2(cat.errores.empty(), cat.errores.empty() ? "" : cat.errores[0].c_str());
        QCOMPARE(cat.planes.size(), 3u);
        const Plan *n = nullptr, &b = PlanIncorporado(); // the 1999 tariff as a file, built in
        const TipoPlan *t = cat.BuscarTipo("Provincial con festivos", &n), &p = b.tipos[1];
        QVERIFY(t && n->festivos.size() == 10);
        const Fechas::Dia martes = D(1999, 3, 2), reyes = D(1999, 1, 6);
        for (int i : {-200, 36000, 61100, 86000})
            for (long l : {0L, 150L, 7000L, 90000L}) {
                QCOMPARE(CostePlan(*n, *t, martes, i, l), CostePlan(b, p, martes, i, l));
                QCOMPARE(CosteTipo(cat, "Provincial", martes, i, l, 1, 16),
                         CosteLlamada(i, 2, l, "Provincial", 1, 16));
                if (i == 36000 && l > 0)
                    QVERIFY(CostePlan(*n, *t, reyes, i, l) < CostePlan(b, p, reyes, i, l));
            }
        // Colours by plan: the holiday is reduced under the plan that knows it.
        for (auto [tipo, dia, color] : {std::tuple{"Provincial con festivos", reyes, ColorReducida},
                                        {"Provincial", reyes, ColorPunta},
                                        {"Provincial con festivos", martes, ColorPunta},
                                        {"Urbana", martes, 0u}})
            QCOMPARE(ColorFranjaPlan(cat, 10, dia, tipo), color);
        QCOMPARE(ColorFranjaPlan(cat, 23, martes, "Provincial con festivos"), ColorReducida);
        QCOMPARE(CosteTipo(cat, "Urbana", martes, 0, 600, 0, 0), Moneda());
        // A user's colour light enough by its red alone is kept, red in the low byte.
        QCOMPARE(Leido(Cambiado("0.06|{precio=0, color=\"#FF8000\"}")).tipos[0].franjas[0].color,
                 0x0080FFu);
        // The totals by band count a plan's call in the band of its name.
        const Llamada ll{martes, 36000, 60, 60, Moneda::desdeEntero(9), "Provincial con festivos"};
        QCOMPARE(Estadistica::SumarPorFranja({ll}, cat).punta, ll.Importe);
    }

    // Seeded calls of up to days against the step-by-step count under varied plans; 0.0368 euros
    // a minute is 6.123 pesetas, so odd seconds cost exact halves.
    void formaCerrada() {
        for (const std::string cambio :
             {"", "pasos = [60, 60]|pasos = [30, 1]\nminimo = 0.2\nincluidos = 90",
              "[60, 60]|[7, 13]\nestablecimiento = 0.1",
              "\"euros\"|\"pesetas\";\"25/12\"|\"29/02\";pasos = [60, 60]|incluidos = 160",
              "[60, 60]|[86400, 3600]", "[60, 60]|[1, 1];punta = 0.06|punta = 0.0368"}) {
            const Plan plan = Leido(Cambiado(cambio));
            const TipoPlan& t = plan.tipos[0];
            std::mt19937 azar(20260101);
            for (int i = 0; i < 800; ++i) {
                const Fechas::Dia fecha = i % 2 ? D(1999, 12, 20) + std::chrono::days{azar() % 20}
                                                : D(2000, 2, 20) + std::chrono::days{azar() % 400};
                const int inicio = int(azar() % (86400 + 255)) - 255;
                const long largo = long(azar() % (i % 25 ? i % 6 ? 4000 : 172800 : 691200));
                QVERIFY2(CosteConIVA(plan, t, fecha, inicio, largo, i % 3 == 0, 16) ==
                             PasoAPaso(plan, t, fecha, inicio, largo, i % 3 ? 0 : 16),
                         qPrintable(QString::asprintf("%s: %d", cambio.c_str(), i)));
            }
            // Three days ending the day after a working-day holiday (Monday 25/12/2000).
            const auto [dia, largo] = std::pair(D(2000, 12, 23), 3 * 86400L + 10);
            QCOMPARE(CostePlan(plan, t, dia, 0, largo), PasoAPaso(plan, t, dia, 0, largo));
        }
    }

    // A Provincial call on a working day and one on 6 January, a holiday of the user's plan.
    void comparar() {
        Catalogo cat = CatalogoIncorporado();
        cat.planes.push_back(Leido(Base));
        const std::vector<Llamada> log{
            {D(1999, 3, 2), 36000, 120, 120, Moneda::desdeDiezmilesimas(459000), "Provincial"},
            {D(1999, 1, 6), 36000, 60, 60, Moneda::desdeDiezmilesimas(304500), "Provincial"}};
        QStringList filas;
        for (const FilaComparacion& f : Comparar(log, cat, 0, 16))
            filas << QString::asprintf("%s/%s %s %.4f %s", f.tipo.c_str(), f.plan.c_str(),
                                       f.pesetas.textoArchivo().c_str(), f.euros,
                                       f.diferencia.textoArchivo().c_str());
        QCOMPARE(filas, QStringList({"Metropolitana/Tarifa nacional 1999 22.8 0.1370 -53.55",
                                     "Minutos/Prueba 24.96 0.1500 -51.39",
                                     "Provincial/Tarifa nacional 1999 76.35 0.4589 0",
                                     "Interprovincial/Tarifa nacional 1999 148.35 0.8916 72"}));
        QCOMPARE(Comparar(log, cat, 1, 16)[0].pesetas.textoArchivo(), std::string("26.44"));
        // 1.225 euros are 203.82285 pesetas: the tie goes to even; doubles round it up.
        QCOMPARE(EurosAPesetas(1.225), Moneda::desdeDiezmilesimas(2038228));
    }
};

QTEST_GUILESS_MAIN(TestPlanes)
#include "TestPlanes.moc"

// Call-log file format: exact lines, reading back, damaged files and safe file updates.
#include "calllog/ArchivoLlamadas.h"
#include "calllog/Reescritura.h"
#include "support/Archivos.h"
#include "support/Tablas.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ArchivoLlamadas;
namespace fs = std::filesystem;

namespace {

Llamada L(int a, int m, int d, int32_t h, int64_t dur, int32_t seg, int64_t imp,
          std::string tarifa = "Metropolitana") {
    return {D(a, m, d), h, dur, seg, Moneda::desdeDiezmilesimas(imp), tarifa};
}
// The example call, 312 s from 18:25:03 on 15 March 1999 for 45.23, under a tariff.
const auto Ej = [](auto... tarifa) { return L(1999, 3, 15, 66303, 312, 312, 452300, tarifa...); };

// Decimal comma and dot grouping, as a Spanish locale would give to stream formatting.
struct PuntuacionEspanola : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

const auto En = [](auto& d, const QString& n) { return d.filePath(n).toStdString(); };

// Every entry of the folder: no temporary file may be left behind.
QStringList Archivos(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The last record as read from the end of a file holding `bytes` alone.
std::optional<Llamada> UltimaDe(const QByteArray& bytes) {
    QTemporaryDir dir;
    Escribir(En(dir, "l.ldx"), bytes);
    return LeerUltima(En(dir, "l.ldx"));
}

// A damaged row: its name, and the field (1 to 6) and text it replaces in a good record.
using U = std::tuple<const char*, int, const char*>;
// Text, records (-1: the written form, a line each), last one ({}: any), field and line of a fault.
using Leido = std::tuple<QByteArray, int, Llamada, int, int>;

} // namespace

class TestArchivo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        std::locale::global(std::locale(std::locale::classic(), new PuntuacionEspanola));
        std::setlocale(LC_ALL, "es_ES.UTF-8");
    }

    // Read whole and from the end; the written form (decimal-comma locale) writes back exactly.
    void lectura_data() {
        QTest::addColumn<Leido>("caso");
        const auto fila = [](const char* n, const QByteArray& texto, int cuantas, Llamada ultima,
                             int campo = 0, int linea = 1) {
            QTest::newRow(n) << Leido{texto, cuantas, ultima, campo, linea};
        };
        const auto escrito = [&](const char* n, const char* texto, Llamada ultima = {}) {
            fila(n, QByteArray(texto) + "\r\n", -1, ultima);
        };
        escrito("ejemplo", "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"Metropolitana\"", Ej());
        escrito("medianoche y cero", "#1999-01-01#,#00:00:00#,#00:00:00#,0,0,\"\"",
                L(1999, 1, 1, 0, 0, 0, 0, ""));
        escrito("importe bajo uno", "#1999-12-31#,#23:59:59#,#00:00:59#,-5,0.5,\"Provincial\"",
                L(1999, 12, 31, 86399, 59, -5, 5000, "Provincial"));
        escrito("entero negativo", "#2000-02-29#,#01:00:00#,#01:00:00#,40000,-120,\"M\"",
                L(2000, 2, 29, 3600, 3600, 40000, -1200000, "M"));
        escrito("veinticinco horas", "#1999-03-15#,#00:00:01#,#1899-12-31 01:00:00#,1,7.5,\"a, b\"",
                L(1999, 3, 15, 1, 25 * 3600, 1, 75000, "a, b"));
        escrito("un dia", "#1999-03-15#,#00:00:01#,#1899-12-31#,2147483647,1.0001,\"M\"",
                L(1999, 3, 15, 1, 86400, 2147483647, 10001, "M"));
        escrito("cruzadas", "#1999-03-15 10:20:30#,#1999-03-16 18:25:03#,#1999-03-17#,1,1,\"M\"");
        escrito("al reves", "#10:20:30#,#1999-03-16#,#1899-12-29 23:00:00#,1,1,\"M\"");
        escrito("bordes", "#1999-12-31 23:59:59#,#23:59:59#,#2000-01-01 00:00:00#,1,1,\"M\"");
        escrito("ceros", "#1899-12-30#,#1899-12-30#,#1899-12-30#,0,0,\"\"\r\n"
                         "#00:00:00#,#00:00:00#,#1999-03-15 00:00:00#,0,0,\"\"");
        escrito("cp1252 y utf-8",
                "#1999-03-15#,#18:25:03#,#00:05:12#,1,1,\"Interprov\xEDncial\"\r\n"
                "#1999-03-15#,#18:25:03#,#00:05:12#,1,1,\"Interprov\xC3\xADncial \x81\x80\"");
        fila("importe sin cero", "#1899-12-30#,#00:00:00#,#00:00:00#,0,.5,\"\"\r\n", 1,
             L(1899, 12, 30, 0, 0, 0, 5000, ""));
        fila("espacios",
             "  #1999-03-15#,  #18:25:03# , #00:05:12#,  312 , 45.23 , Metro politana  \r\n", 1,
             Ej("Metro politana"));
        fila("libre", "# 1999-12-31 #,# 23:59:59#,#0:0:59 #,-5,.5,P", 1,
             L(1999, 12, 31, 86399, 59, -5, 5000, "P"));
        fila("partido", "#1999-03-15#,#18:25:03#\r\n#00:05:12#\r\n312,45.23\n\"M\"\n", 1, Ej("M"));
        fila("comas",
             "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"a,b,c,d,e,f\"\r\n"
             "#1999-03-16#,#8:5:3#,#1899-12-31 01:00:00#,-7,\"7.5\",\"x\"\r\n",
             2, L(1999, 3, 16, 29103, 90000, -7, 75000, "x"));
        fila("vacio", "", 0, {});
        const QByteArray bien = "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"M\"\r\n";
        // Past a megabyte a file is read in two halves split after the middle line end: an odd
        // count of these two-line records splits between records, an even one inside one.
        const QByteArray primera = "#1999-03-15#,#18:25:03#,#00:05:12#\r\n";
        const std::string tarifa(static_cast<size_t>(primera.size()) - 14, 'M');
        const QByteArray registro = primera + "312,45.23,\"" + tarifa.c_str() + "\"\r\n";
        for (const int n : {30001, 30000})
            fila(n % 2 ? "grande, impar" : "grande, par", registro.repeated(n), n, Ej(tarifa));
        fila("grande, 2001", bien.repeated(2000) + bien.chopped(4) + "N\"\r\n", 2001, Ej("N"));
        fila("32 bits", "#1999-03-15#,#18:25:03#,#09:10:00#,+40000,-0.0001,\"M\"", 1,
             L(1999, 3, 15, 66303, 33000, 40000, -1, "M"));
        // Damaged: the record, field and line of the first fault; the records before it are kept.
        const auto con = [](int campo, const char* valor) {
            QList<QByteArray> v{"#1999-03-15#", "#18:25:03#", "#00:05:12#", "1", "1", "\"M\""};
            v[campo - 1] = valor;
            return v.join(',');
        };
        const auto unos = [&](std::initializer_list<U> filas) {
            for (const auto& [n, campo, valor] : filas)
                fila(n, con(campo, valor), 0, {}, campo);
        };
        unos({U{"fecha imposible", 1, "#1999-02-29#"}, U{"anio cero", 3, "#0000-01-01 10:00:00#"},
              U{"anio de dos cifras", 1, "#99-03-17#"}, U{"hora 24", 2, "#24:00:00#"},
              U{"hora 24 libre", 2, "#24:0:0#"}, U{"minuto 60", 2, "#18:60:00#"},
              U{"minuto 60 libre", 2, "#8:60:0#"}});
        unos({U{"segundo 60", 2, "#18:25:60#"}, U{"segundo 60 libre", 2, "#8:0:60#"},
              U{"hora con letra", 2, "#1x:25:03#"}, U{"minuto con letra", 2, "#18:2x:03#"},
              U{"segundo con letra", 2, "#18:25:0x#"}, U{"barras en la fecha", 1, "#1999/03/15#"},
              U{"barra tras el mes", 1, "#1999-03/15#"},
              U{"T entre fecha y hora", 3, "#1999-03-15T10:20:30#"},
              U{"puntos en la hora", 2, "#18.25:03#"}, U{"punto tras el minuto", 2, "#18:25.03#"}});
        unos({U{"resto tras la hora", 2, "#18:25:03x#"}, U{"segundos decimales", 4, "3.5"},
              U{"segundos sobre 2^31", 4, "2147483648"},
              U{"segundos enormes", 4, "99999999999999999999"},
              U{"importe con coma", 5, "\"45,23\""}, U{"importe desmedido", 5, "9999999999999999"},
              U{"resto tras comillas", 6, "\"M\"x"}, U{"almohadilla sin cerrar", 1, "#1999-03-15"},
              U{"literal partido", 1, "#1999-03-15\r\n#"}});
        fila("fecha no es fecha", bien + con(1, "ayer"), 1, {}, 1, 2);
        fila("truncado", bien + bien.left(34) + "\r\n", 1, {}, 4, 2);
        fila("siete valores", con(6, "\"M\",7\r\n") + bien, 0, {}, 7);
        fila("linea vacia al final", bien + "\r\n", 1, {}, 1, 2);
        fila("comillas sin cerrar", bien + bien.left(46), 1, {}, 6, 2);
        fila("grande, mal al final", bien.repeated(30000) + con(5, "x"), 30000, {}, 5, 30001);
    }
    void lectura() {
        auto [texto, cuantas, ultima, campo, linea] = fila<Leido>();
        const Lectura r = LeerTexto(texto.toStdString());
        if (campo) {
            QCOMPARE(std::tuple(r.ok || UltimaDe(texto), int(r.error.registro), r.error.campo,
                                int(r.error.linea), int(r.llamadas.size())),
                     std::tuple(false, cuantas, campo, linea, cuantas)); // nor from the end
            return;
        }
        QVERIFY2(r.ok, r.error.motivo.c_str());
        if (cuantas < 0) {
            cuantas = int(texto.count("\r\n"));
            QCOMPARE(QByteArray::fromStdString(TextoArchivo(r.llamadas)), texto);
        }
        QCOMPARE(int(r.llamadas.size()), cuantas);
        QVERIFY(ultima == Llamada{} || r.llamadas.back() == ultima);
        QVERIFY(UltimaDe(texto) == (cuantas ? std::optional(r.llamadas.back()) : std::nullopt));
    }

    // A list written in full reads back, .csv as .ldx; a call that would not read back, a missing
    // path or a folder is refused, the files left as they were. Then create, append, copy, empty.
    void escribirAnadirCopiarVaciar() {
        QTemporaryDir dir;
        const fs::path ldx = En(dir, "l.ldx"), csv = En(dir, "l.csv");
        const std::vector<Llamada> lista{Ej("a,b"),
                                         L(2000, 2, 29, 1, 90000, -7, -1200000, "Provincial")};
        QVERIFY(Escribir(ldx, lista) && Escribir(csv, lista));
        QCOMPARE(Leer(csv).llamadas, lista);
        for (const Llamada& mala : {L(1999, 3, 15, 0, 0, 0, 0, "a\"b"), // quote in the tariff
                                    L(1999, 3, 15, 0, 2958466LL * 86400, 0, 0), // past year 9999
                                    L(0, 1, 1, 0, 0, 0, 0)})
            QVERIFY(!ProblemaRegistro(mala).empty() && !Escribir(ldx, {lista[0], mala}) &&
                    !Anadir(ldx, mala));
        QCOMPARE(Contenido(ldx), Contenido(csv));
        const fs::path falta = En(dir, "no/existe.ldx"), carpeta = dir.path().toStdString();
        QVERIFY(!Escribir(falta, std::vector<Llamada>{}) && !Anadir(falta, lista[0]).error.empty());
        QVERIFY(!Anadir(carpeta, lista[0]) && !Vaciar(carpeta) && !CrearSiFalta(carpeta));
        for (const fs::path& p : {falta, carpeta}) {
            const Lectura r = Leer(p);
            QVERIFY(!r.ok && r.error.campo == 0 &&
                    r.error.motivo.find(p.string()) != std::string::npos);
        }
        const fs::path actual = En(dir, "llamadas.ldx"), anterior = En(dir, "antiguas.ldx");
        QVERIFY(CrearSiFalta(actual) && Contenido(actual).isEmpty());
        QVERIFY(Anadir(actual, Ej()) && Contenido(actual).toStdString() == LineaRegistro(Ej()));
        // A last line without its line end gets one before the new record.
        Escribir(actual, Contenido(actual).chopped(2));
        QVERIFY(Anadir(actual, Ej()) && Leer(actual).llamadas == std::vector({Ej(), Ej()}));
        const QByteArray enero = Contenido(actual);
        QVERIFY(CrearSiFalta(actual) && Contenido(actual) == enero);
        Escribir(anterior, "viejo");
        QVERIFY(::chmod(actual.c_str(), 0600) == 0);
        QVERIFY(Copiar(actual, anterior) && Contenido(anterior) == enero);
        QVERIFY(Vaciar(actual) && Contenido(actual).isEmpty());
        struct stat st {};
        QVERIFY(::stat(actual.c_str(), &st) == 0 && (st.st_mode & 0777) == 0600); // mode kept
        QVERIFY(!Copiar(En(dir, "falta.ldx"), anterior) && Contenido(anterior) == enero);
        QCOMPARE(Archivos(dir), QStringList({"antiguas.ldx", "l.csv", "l.ldx", "llamadas.ldx"}));
    }

    // Appends from another process during rewrites: every call ends up in the file once.
    void anadirDuranteReescrituras() {
        QTemporaryDir dir(EnMemoria());
        const fs::path p = En(dir, "llamadas.ldx");
        QVERIFY(CrearSiFalta(p));
        constexpr int Total = 1000;
        const pid_t hijo = ::fork();
        QVERIFY(hijo >= 0);
        if (hijo == 0) {
            for (int i = 0; i < Total; ++i)
                if (!Anadir(p, L(1999, 3, 15, 3600, 60, i, 10000)))
                    ::_exit(1);
            ::_exit(0);
        }
        int estado = 0, reescrituras = 0;
        while (::waitpid(hijo, &estado, WNOHANG) == 0) {
            const Lectura antes = Leer(p); // unlocked: may catch a line half written
            reescrituras +=
                antes.ok && Registro::Reescribir(p, antes.llamadas, antes.llamadas).estado ==
                                Registro::Reescritura::Hecha;
        }
        QVERIFY(WIFEXITED(estado) && WEXITSTATUS(estado) == 0 && reescrituras > 0);
        std::vector<int> veces(Total);
        for (const Llamada& ll : Leer(p).llamadas)
            ++veces.at(static_cast<size_t>(ll.Segundos));
        QCOMPARE(std::count(veces.begin(), veces.end(), 1), qsizetype(Total));
    }

    // Read-only by its mode; for root by a read-only bind mount in a mount namespace of its own.
    static void Proteger(const QString& carpeta, bool si) {
        const QByteArray ruta = QFile::encodeName(carpeta);
        static const bool propio =
            ::geteuid() != 0 || (::unshare(CLONE_NEWNS) == 0 &&
                                 ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0);
        QVERIFY2(propio, "no mount namespace to make a folder read-only as root");
        if (::geteuid() != 0)
            QVERIFY(::chmod(ruta, si ? 0500 : 0700) == 0);
        else
            QVERIFY(si ? ::mount(ruta, ruta, nullptr, MS_BIND, nullptr) == 0 &&
                             ::mount(nullptr, ruta, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                                     nullptr) == 0
                       : ::umount(ruta) == 0 || errno == EINVAL); // EINVAL: not mounted
    }

    // Failed whole-file writes leave the old file and say why: in a read-only folder, and under a
    // name at the length limit that leaves no room for the temporary file's, even for root.
    void fallosDejanElArchivo() {
        for (const bool soloLectura : {false, true}) {
            QTemporaryDir dir;
            const fs::path p = En(dir, soloLectura ? QString("llamadas.ldx") : QString(250, 'x'));
            Escribir(p, "viejo");
            Escribir(En(dir, "o.ldx"), "");
            Proteger(dir.path(), soloLectura);
            const Resultado r[] = {Escribir(p, {L(2000, 1, 1, 1, 1, 1, 1)}), Vaciar(p),
                                   Copiar(En(dir, "o.ldx"), p)};
            Proteger(dir.path(), false);
            for (const Resultado& e : r)
                QVERIFY2(!e && e.error.find("«") != std::string::npos, e.error.c_str());
            QCOMPARE(Contenido(p), QByteArray("viejo"));
            QCOMPARE(Archivos(dir).size(), 2);
        }
    }
};

QTEST_GUILESS_MAIN(TestArchivo)
#include "TestArchivo.moc"

// Domain rules of the call-log window: totals, today's summary, cell edits, rewrites, listing.
#include "calllog/DisenoListado.h"
#include "calllog/EdicionCelda.h"
#include "calllog/Reescritura.h"
#include "calllog/Totales.h"

#include <QtTest>

namespace {
Llamada Crear(int dia, int32_t hora, int64_t duracion, int32_t segundos, const char* importe,
              const char* tarifa = "Metropolitana") {
    return Llamada{*Fechas::crearDia(1999, 3, dia), hora,  duracion, segundos,
                   *Moneda::desdeTexto(importe),    tarifa};
}
} // namespace

class TestDominioVentana : public QObject {
    Q_OBJECT
private slots:
    void totalesSumanEnSesentaYCuatroBits() {
        const auto t = Registro::CalcularTotales({Crear(1, 0, 70, 60, "12.5"),
                                                  Crear(2, 0, 100000, 2000000000, "0.0001"),
                                                  Crear(3, 0, 90, 2000000000, "20")});
        QCOMPARE(t.llamadas, 3);
        QCOMPARE(t.SegundosTotal, int64_t(4000000060));
        QCOMPARE(t.TiempoTotal, int64_t(100160));
        QCOMPARE(t.ImporteTotal.textoArchivo(), std::string("32.5001"));
        QCOMPARE(Registro::CalcularTotales({}).ImporteTotal, Moneda());
    }

    void datosHoyCuentaSoloElDia() {
        const auto hoy = *Fechas::crearDia(1999, 3, 15);
        std::vector<Llamada> llamadas{Crear(15, 3600, 70, 60, "12.5"), Crear(14, 0, 10, 10, "99"),
                                      Crear(15, 7200, 100, 90, "20")};
        const auto t = Registro::TotalesDelDia(llamadas, hoy);
        QCOMPARE(
            Registro::TextoDatosHoy(t, ','),
            std::string("Llamadas efectuadas: \t2\nSegundos facturados: \t150 \"\n"
                        "Tiempo de conexión: \t00:02:50\nImporte de las llamadas: \t32,5 pts"));
        QCOMPARE(Registro::TextoDatosHoy(
                     Registro::TotalesDelDia(llamadas, hoy + std::chrono::days{1}), '.'),
                 std::string("Llamadas efectuadas: \t0\nSegundos facturados: \t0 \"\n"
                             "Tiempo de conexión: \t00:00:00\nImporte de las llamadas: \t0 pts"));
    }

    void importeSinCerosFinales_data() {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("texto");
        QTest::newRow("entero") << "120"
                                << "120";
        QTest::newRow("medio") << "45.5"
                               << "45,5";
        QTest::newRow("menor que uno") << ".5"
                                       << "0,5";
        QTest::newRow("negativo") << "-7.25"
                                  << "-7,25";
        QTest::newRow("cero") << "0"
                              << "0";
    }
    void importeSinCerosFinales() {
        QFETCH(QString, archivo);
        QFETCH(QString, texto);
        QCOMPARE(QString::fromStdString(
                     Registro::TextoImporte(*Moneda::desdeTexto(archivo.toStdString()), ',')),
                 texto);
    }

    void tituloDeLaCelda() {
        QCOMPARE(Registro::TituloModificar("45,23", 3, 5),
                 std::string("Valor a modificar:   \"45,23\"   Celda:   3 - 6"));
    }

    void conversionesPorColumna_data() {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<QString>("linea"); // the record line after the edit
        const QString base = "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("fecha corta")
            << 1 << "16/4/99" << true
            << "#1999-04-16#,#18:25:03#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("fecha larga")
            << 1 << "1/1/2001" << true
            << "#2001-01-01#,#18:25:03#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("fecha con hora") << 1 << "16/4/99 10:00:00" << false << base;
        QTest::newRow("fecha texto") << 1 << "ayer" << false << base;
        QTest::newRow("fecha imposible") << 1 << "31/2/99" << false << base;
        QTest::newRow("hora") << 2 << "7:05" << true
                              << "#1999-03-15#,#07:05:00#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("hora pm")
            << 2 << "7:05:09 PM" << true
            << "#1999-03-15#,#19:05:09#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("hora 24") << 2 << "24:00:00" << false << base;
        QTest::newRow("minutos 60") << 2 << "10:60:00" << false << base;
        QTest::newRow("duración")
            << 3 << "1:02:03" << true
            << "#1999-03-15#,#18:25:03#,#01:02:03#,312,45.23,\"Metropolitana\"";
        QTest::newRow("segundos medio par")
            << 4 << "12,5" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,12,45.23,\"Metropolitana\"";
        QTest::newRow("segundos medio impar")
            << 4 << "13,5" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,14,45.23,\"Metropolitana\"";
        QTest::newRow("segundos sobre 16 bits")
            << 4 << "40000" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,40000,45.23,\"Metropolitana\"";
        QTest::newRow("segundos sobre 32 bits") << 4 << "3000000000" << false << base;
        QTest::newRow("segundos texto") << 4 << "doce" << false << base;
        QTest::newRow("importe") << 5 << "7,5" << true
                                 << "#1999-03-15#,#18:25:03#,#00:05:12#,312,7.5,\"Metropolitana\"";
        QTest::newRow("importe con punto") << 5 << "7.5" << false << base;
        QTest::newRow("importe enorme") << 5 << "99999999999999999999" << false << base;
        QTest::newRow("tarifa")
            << 6 << "Provincial, nocturna" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"Provincial, nocturna\"";
        QTest::newRow("tarifa con comillas") << 6 << "a\"b" << false << base;
        QTest::newRow("número de llamada") << 0 << "5" << false << base;
    }
    void conversionesPorColumna() {
        QFETCH(int, columna);
        QFETCH(QString, texto);
        QFETCH(bool, valido);
        QFETCH(QString, linea);
        const Llamada original = Crear(15, 66303, 312, 312, "45.23");
        const auto r = Registro::AplicarValor(original, columna, texto.toStdString(), {});
        QCOMPARE(r.has_value(), valido);
        QCOMPARE(QString::fromStdString(ArchivoLlamadas::LineaRegistro(r.value_or(original))),
                 linea + "\r\n");
    }

    void ordenDeFechaDelUsuario() {
        const Llamada original = Crear(15, 0, 0, 0, "1");
        const auto mdy =
            Registro::AplicarValor(original, 1, "4/16/99", {'.', Registro::OrdenFecha::MesDiaAnio});
        QCOMPARE(mdy->Fecha, *Fechas::crearDia(1999, 4, 16));
        const auto ymd = Registro::AplicarValor(original, 1, "1999-04-16",
                                                {',', Registro::OrdenFecha::AnioMesDia});
        QCOMPARE(ymd->Fecha, *Fechas::crearDia(1999, 4, 16));
    }

    void llamadasAnadidasTrasLaCarga() {
        const std::vector<Llamada> cargadas{Crear(1, 0, 1, 1, "1"), Crear(2, 0, 2, 2, "2")};
        auto enDisco = cargadas;
        QCOMPARE(Registro::LlamadasAnadidas(cargadas, enDisco)->size(), size_t(0));
        enDisco.push_back(Crear(3, 0, 3, 3, "3"));
        const auto nuevas = Registro::LlamadasAnadidas(cargadas, enDisco);
        QCOMPARE(nuevas->size(), size_t(1));
        const auto escribir = Registro::ListaAEscribir({cargadas[1]}, *nuevas);
        QCOMPARE(escribir, (std::vector<Llamada>{cargadas[1], enDisco[2]}));
        QVERIFY(!Registro::LlamadasAnadidas(cargadas, {cargadas[0]}));
        QVERIFY(!Registro::LlamadasAnadidas(cargadas, {cargadas[1], cargadas[0], enDisco[2]}));
    }

    void listadoDeLlamadas() {
        Registro::FormatoListado f;
        f.fecha = [](Fechas::Dia d) { return Fechas::TextoFecha(d); };
        f.hora = [](int32_t s) { return std::to_string(s); };
        f.duracion = [](int64_t s) { return std::to_string(s); };
        f.separadorDecimal = ',';
        const std::vector<Llamada> llamadas{Crear(15, 10, 20, 30, "45.5"),
                                            Crear(16, 1, 2, -3, "-1.25", "Provincial")};
        const auto cabecera = Registro::CabeceraListado(llamadas, "ahora", "/x/llamadas.ldx", f);
        QStringList textos;
        int reglas = 0;
        for (const auto& linea : cabecera) {
            reglas += linea.regla;
            QStringList partes;
            for (const auto& t : linea.textos)
                partes << QString("%1@%2").arg(QString::fromStdString(t.texto)).arg(t.xCm);
            if (!linea.regla)
                textos << partes.join('|');
        }
        QCOMPARE(reglas, 3);
        QCOMPARE(textos, QStringList({"", "VatriMox 4.288 para Windows 95/98/NT@1.5",
                                      "Listado imprimido el día: ahora@1.5",
                                      "Llamadas registradas en el archivo: /x/llamadas.ldx@1.5", "",
                                      "Llamadas efectuadas ...:@1.5|2.@6.5",
                                      "Segundos facturados ...:@1.5|27 \"@6.5",
                                      "Tiempo de conexión .....:@1.5|00:00:22@6.5",
                                      "Importe total .................:@1.5|44,25 pts@6.5", "",
                                      "Nº@1.5|Fecha@4|Hora@6.5|Duracion@9|Segundos@11.5|"
                                      "Importe@14|Tarifa@16.5",
                                      ""}));
        const auto linea = Registro::LineaLlamada(llamadas[1], 2, f);
        QStringList partes;
        for (const auto& t : linea.textos)
            partes << QString::fromStdString(t.texto);
        QCOMPARE(partes, QStringList({" 2", "16/03/1999", "1", "2", "-3", "-1,25", "Provincial"}));
    }
};

QTEST_APPLESS_MAIN(TestDominioVentana)
#include "TestDominioVentana.moc"

// Tests of start-up: the period rollover (whole or interrupted), settings, journal recovery.
#include "meter/Arranque.h"
#include "meter/BancoMedidor.h"

class TestArranque : public BancoMedidor {
    Q_OBJECT
private slots:
    void init() { Preparar(); }

    // Missed periods pass at once (1/2-2/3, 3/3-31/3, 1/4-28/4); one-day periods stay one day.
    void nuevoPeriodo() {
        QVERIFY(!Arranque::NuevoPeriodo(Enero, D(1999, 1, 31)));
        const auto n = Arranque::NuevoPeriodo(Enero, D(1999, 4, 15)).value();
        QVERIFY(n.inicio == D(1999, 4, 1) && n.fin == D(1999, 4, 28));
        const auto u =
            Arranque::NuevoPeriodo({D(1999, 1, 1), D(1999, 1, 1)}, D(1999, 1, 3)).value();
        QVERIFY(u.inicio == D(1999, 1, 3) && u.fin == D(1999, 1, 3));
    }

    // All or nothing: a failed copy or date write leaves log and dates; a rerun changes nothing.
    void cambioDePeriodo_data() {
        QTest::addColumn<QString>("falla");
        QTest::addColumn<QString>("fechas"); // stored afterwards when all went well
        const auto fila = [](const char* n, const char* falla, const char* fechas) {
            QTest::newRow(n) << QString(falla) << QString(fechas);
        };
        fila("bien", "", "01/02/1999-02/03/1999");
        fila("dos periodos perdidos", "", "03/03/1999-31/03/1999");
        fila("copia", "copia", "");
        fila("fechas", "fechas", "");
    }
    void cambioDePeriodo() {
        QFETCH(QString, falla);
        QFETCH(QString, fechas);
        const Fechas::Dia hoy = fechas.startsWith("03/03") ? D(1999, 3, 15) : D(1999, 2, 1);
        Escribir(Log(), LineaEnero);
        Periodo("01/01/1999", "31/01/1999");
        if (falla == "copia")
            fs::create_directory(Anterior());
        ajustes_.fallarEscrituras = falla == "fechas";
        const auto c = Arranque::CambiarPeriodo(ajustes_, Enero, hoy, carpeta_);
        const bool bien = falla.isEmpty();
        QCOMPARE(c.hecho, bien);
        QCOMPARE(c.error.empty(), bien);
        QCOMPARE(Contenido(Log()), bien ? QByteArray() : LineaEnero);
        QCOMPARE(Periodo(), (bien ? fechas : QString("01/01/1999-31/01/1999")).toStdString());
        if (bien) {
            QVERIFY(!Arranque::CambiarPeriodo(ajustes_, c.periodo, hoy, carpeta_).hecho);
            QCOMPARE(Contenido(Anterior()), LineaEnero);
        }
    }

    // A kill before each step of the rollover: the next start completes it, leaving no marker or
    // temporary file; a marker that outlived its rollover empties no later call.
    void cambioInterrumpido_data() {
        QTest::addColumn<int>("parada");
        QTest::addColumn<QString>("temporal");
        QTest::addColumn<QByteArray>("despues"); // logged after the kill
        using P = Arranque::PasoCambio;
        QTest::newRow("marca") << int(P::Marca) << ".cambio_periodo.txt.tmp1-0" << QByteArray();
        QTest::newRow("copia") << int(P::Copia) << ".antiguas.ldx.tmp1-0" << QByteArray();
        QTest::newRow("copiado") << int(P::Copiado) << ".cambio_periodo.txt.tmp1-1" << QByteArray();
        QTest::newRow("FechaInicio") << int(P::FechaInicio) << "" << QByteArray();
        QTest::newRow("FechaFinal") << int(P::FechaFinal) << "" << QByteArray();
        QTest::newRow("vaciado") << int(P::Vaciado) << ".llamadas.ldx.tmp1-0" << QByteArray();
        QTest::newRow("desmarcar") << int(P::Desmarcar) << "" << QByteArray();
        QTest::newRow("llamada tras el cambio")
            << int(P::Desmarcar) << "" << QByteArray(LineaEnero).replace("01-20", "02-01");
    }
    void cambioInterrumpido() {
        QFETCH(int, parada);
        QFETCH(QString, temporal);
        QFETCH(QByteArray, despues);
        Escribir(Log(), LineaEnero);
        Escribir(Anterior(), QByteArray(LineaEnero).replace("1999-01", "1998-12"));
        Periodo("01/01/1999", "31/01/1999");
        Arranque::CambiarPeriodo(ajustes_, Enero, D(1999, 2, 1), carpeta_,
                                 Arranque::PasoCambio(parada));
        if (!temporal.isEmpty())
            Escribir(carpeta_ / temporal.toStdString(), "x");
        if (!despues.isEmpty())
            QVERIFY(ArchivoLlamadas::Anadir(
                Log(), ArchivoLlamadas::LeerTexto(despues.toStdString()).llamadas[0]));
        const auto r = Arrancar(D(1999, 2, 1));
        QCOMPARE(Contenido(Anterior()), LineaEnero);
        QCOMPARE(Contenido(Log()), despues);
        QCOMPARE(Periodo(), std::string("01/02/1999-02/03/1999"));
        QCOMPARE(r.periodo.inicio, D(1999, 2, 1));
        QCOMPARE(r.mensajes.size(), size_t(1));
        QCOMPARE(
            QDir(QString::fromStdString(carpeta_.string())).entryList(QDir::Files | QDir::Hidden),
            QStringList({"antiguas.ldx", "llamadas.ldx"}));
    }

    void primerArranque() {
        MemorySettingsStore vacio;
        std::vector<Arranque::Mensaje> mensajes;
        fs::remove(Log());
        const auto p = Arranque::CargarAjustes(vacio, D(1999, 3, 15), carpeta_, estado_, mensajes);
        QVERIFY(mensajes.empty());
        QCOMPARE(p.inicio, D(1999, 3, 15));
        QCOMPARE(p.fin, D(1999, 5, 14));
        QCOMPARE(estado_.SegundosNegociacion, uint8_t(20));
        QCOMPARE(Contenido(Log()), QByteArray());
        // Every first-run default is written, the empty sound paths included, in order.
        QCOMPARE(vacio.escrituras.size(), qsizetype(General::AjustesEnOrden().size()));
        QCOMPARE(vacio.escrituras.first(), QString("Datos/FechaFinal=14/05/1999"));
        QVERIFY(vacio.escrituras.contains("Sonidos/AlertaSonido="));
        // A store that cannot be written: the defaults in use are said so.
        MemorySettingsStore roto;
        roto.fallarEscrituras = true;
        mensajes.clear();
        const auto q = Arranque::CargarAjustes(roto, D(1999, 3, 15), carpeta_, estado_, mensajes);
        QVERIFY(mensajes.size() == 1 && mensajes[0].critico);
        QVERIFY(QString::fromStdString(mensajes[0].texto).endsWith("los valores por defecto."));
        QCOMPARE(q.fin, D(1999, 5, 14));
    }

    void ajustesIlegiblesConservanLoValido() {
        const QByteArray llamadas = "#1999-03-01#,#10:00:00#,#00:01:00#,60,12.5,\"Provincial\"\r\n";
        Escribir(Log(), llamadas);
        Poner(General::Ajustes::IVA, "1");
        Poner(General::Ajustes::Negociacion, "muchos");
        Poner(General::Ajustes::Tarifa, "Provincial");
        Periodo("01/03/1999", "31/02/1999");
        std::vector<Arranque::Mensaje> mensajes;
        const auto p =
            Arranque::CargarAjustes(ajustes_, D(1999, 3, 15), carpeta_, estado_, mensajes);
        // Only the unreadable end is replaced, and the user is told which and from what.
        QCOMPARE(p.inicio, D(1999, 3, 1));
        QCOMPARE(p.fin, D(1999, 5, 14));
        QCOMPARE(mensajes.size(), size_t(1));
        QCOMPARE(mensajes[0].texto, std::string("Las fechas guardadas del periodo de llamadas no "
                                                "eran válidas; se ha cambiado FechaFinal "
                                                "(«31/02/1999») a 14/05/1999."));
        QCOMPARE(estado_.IncluirIVA, uint8_t(1));
        QCOMPARE(estado_.SegundosNegociacion, uint8_t(20));
        QCOMPARE(estado_.TipoLlamada, std::string("Provincial"));
        QCOMPARE(Contenido(Log()), llamadas);
    }

    // A store that keeps the user's settings but cannot save them says only that.
    void ajustesQueNoSeGuardan() {
        std::vector<Arranque::Mensaje> mensajes;
        struct SoloLectura : MemorySettingsStore {
            bool write(const std::string& a, const std::string& s, const std::string& k,
                       const std::string& v) override {
                MemorySettingsStore::write(a, s, k, v); // kept in memory, not on disk
                return false;
            }
        } soloLectura;
        soloLectura.valores = ajustes_.valores;
        General::Escribir(soloLectura, General::Ajustes::IVA, "1");
        General::Escribir(soloLectura, General::Ajustes::Negociacion, "muchos");
        Arranque::CargarAjustes(soloLectura, D(1999, 3, 15), carpeta_, estado_, mensajes);
        QCOMPARE(mensajes.size(), size_t(1));
        QCOMPARE(mensajes[0].texto, std::string("No se pueden guardar los ajustes de VatriMox: "
                                                "los cambios que se hagan no se conservarán."));
        QCOMPARE(estado_.IncluirIVA, uint8_t(1));
    }

    // A call of the ended period lands in that period's log, now the previous one.
    void recuperacionAntesDelCambio() {
        Periodo("01/01/1999", "31/01/1999");
        Llamada l{D(1999, 1, 31), 36000, 300, 200, Moneda::desdeEntero(50), "Metropolitana"};
        QVERIFY(Diario::Guardar(carpeta_, {l}));
        const auto r = Arrancar(D(1999, 2, 1));
        QCOMPARE(r.mensajes.size(), size_t(2));
        QVERIFY(QString::fromStdString(r.mensajes[0].texto).contains("31/01/1999 a las 10:00:00"));
        QCOMPARE(r.mensajes[1].texto, std::string(Arranque::TextoCambioPeriodo));
        QCOMPARE(Contenido(Anterior()),
                 QByteArray::fromStdString(ArchivoLlamadas::LineaRegistro(l)));
        QCOMPARE(Contenido(Log()), QByteArray());
        QVERIFY(!fs::exists(EnCurso()));
    }

    // A kill before the first tick, after the append, or in a journal write: logged once.
    void recuperacionTrasMuerte_data() {
        QTest::addColumn<int>("segundos");
        QTest::addColumn<bool>("yaAnotada");
        QTest::addColumn<bool>("temporal");
        QTest::addColumn<int>("mensajes");
        QTest::newRow("antes del primer tick") << 0 << false << false << 1;
        QTest::newRow("tras añadir") << 40 << true << false << 0;
        QTest::newRow("temporal suelto") << 40 << true << true << 0;
    }
    void recuperacionTrasMuerte() {
        QFETCH(int, segundos);
        QFETCH(bool, yaAnotada);
        QFETCH(bool, temporal);
        QFETCH(int, mensajes);
        Medidor m = Iniciado();
        if (segundos > 0)
            Tick(m, segundos);
        if (yaAnotada)
            QVERIFY(ArchivoLlamadas::Anadir(Log(), m.Registro()));
        const auto suelto = carpeta_ / ".llamada_en_curso.ldx.tmp999-0";
        if (temporal)
            Escribir(suelto, LineaEnero);
        const auto diario = Leidas(EnCurso());
        QCOMPARE(diario.size(), size_t(1));
        const auto r = Arrancar(D(1999, 3, 15));
        QCOMPARE(int(r.mensajes.size()), mensajes);
        QCOMPARE(Leidas(Log()), diario);
        QVERIFY(!fs::exists(EnCurso()) && !fs::exists(suelto));
    }

    void recuperacionQueFalla() {
        Llamada l{D(1999, 3, 14), 36000, 300, 200, Moneda::desdeEntero(50), "Metropolitana"};
        QVERIFY(Diario::Guardar(carpeta_, {l}));
        fs::remove(Log());
        fs::create_directory(Log());
        const auto r = Arrancar(D(1999, 3, 15));
        QCOMPARE(r.pendientes.size(), size_t(1));
        QCOMPARE(r.mensajes.size(), size_t(1));
        QVERIFY(r.mensajes[0].critico);
        QCOMPARE(Leidas(EnCurso()).size(), size_t(1));
        // A journal that cannot be read is set aside as .danado, neither logged nor lost.
        fs::remove(Log());
        Escribir(EnCurso(), "basura\r\n");
        const auto d = Arrancar(D(1999, 3, 15));
        QVERIFY(d.mensajes.size() == 1 && d.mensajes[0].critico);
        QCOMPARE(Contenido(fs::path(EnCurso()) += ".danado"), QByteArray("basura\r\n"));
        QVERIFY(!fs::exists(EnCurso()) && !fs::exists(Log()));
    }

    void progreso() {
        const General::PeriodoFacturacion p{D(1999, 3, 1), D(1999, 4, 30)};
        QCOMPARE(Arranque::ProgresoPeriodo(p, D(1999, 3, 1)), float(1.0 / 61 * 100));
        QCOMPARE(Arranque::ProgresoPeriodo(p, D(1999, 2, 1)), 0.0f);
        QCOMPARE(Arranque::ProgresoPeriodo(p, D(1999, 6, 1)), 100.0f);
    }
};

QTEST_GUILESS_MAIN(TestArranque)
#include "TestArranque.moc"

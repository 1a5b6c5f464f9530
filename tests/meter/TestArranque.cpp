// Tests of start-up: the period rollover (whole or interrupted), settings, journal recovery.
#include "meter/BancoMedidor.h"

class TestArranque : public BancoMedidor {
    Q_OBJECT
    struct Cambio {
        const char *fila, *falla, *fechas; // the dates as stored afterwards
        Fechas::Dia hoy = D(1999, 2, 1);
    };
    struct Parada {
        const char* fila;
        Arranque::PasoCambio paso;
        const char* temporal = "";
        bool llamada = false; // logged after the kill
    };
    struct Carga {
        const char* fila;
        // Store 0: the test's; 1: empty; 2: empty, failing; 3: the test's, never saves.
        int almacen, inicio, iva;
        const char* tipo;
        bool critico;
        std::string mensaje;
    };
    struct Muerte {
        const char* fila;
        int segundos; // ticked; 0: none, and not yet logged
        bool temporal;
        size_t mensajes;
    };

private slots:
    void init() { Preparar(); }

    // All or nothing: a failed copy or date write leaves log and dates; a rerun changes nothing.
    // Missed periods pass at once, each a day shorter than the one before, down to one day.
    void cambioDePeriodo_data() {
        tabla<Cambio>({{"bien", "", "01/02/1999-02/03/1999"},
                       {"66 periodos", "", "15/06/2000-15/06/2000", D(2000, 6, 15)},
                       {"copia", "copia", "01/01/1999-31/01/1999"},
                       {"fechas", "fechas", "01/01/1999-31/01/1999"}});
    }
    void cambioDePeriodo() {
        const auto& f = fila<Cambio>();
        Escribir(Log(), LineaEnero);
        Periodo("01/01/1999", "31/01/1999");
        if (f.falla == std::string("copia"))
            fs::create_directory(Anterior());
        ajustes_.fallarEscrituras = f.falla == std::string("fechas");
        const auto c = Arranque::CambiarPeriodo(ajustes_, Enero, f.hoy, carpeta_);
        const bool bien = !*f.falla;
        QVERIFY(c.hecho == bien && c.error.empty() == bien);
        QCOMPARE(Contenido(Log()), bien ? QByteArray() : LineaEnero);
        QCOMPARE(Periodo(), std::string(f.fechas));
        if (bien) {
            QVERIFY(!Arranque::CambiarPeriodo(ajustes_, c.periodo, f.hoy, carpeta_).hecho);
            QCOMPARE(Contenido(Anterior()), LineaEnero);
        }
    }

    // Killed before each step, the next start completes the rollover and leaves no stray file.
    void cambioInterrumpido_data() {
        using P = Arranque::PasoCambio;
        tabla<Parada>({{"marca", P::Marca, ".cambio_periodo.txt.tmp1-0"},
                       {"copia", P::Copia, ".antiguas.ldx.tmp1-0"},
                       {"copiado", P::Copiado, ".cambio_periodo.txt.tmp1-1"},
                       {"FechaInicio", P::FechaInicio},
                       {"FechaFinal", P::FechaFinal},
                       {"vaciado", P::Vaciado, ".llamadas.ldx.tmp1-0"},
                       {"desmarcar", P::Desmarcar},
                       {"llamada tras el cambio", P::Desmarcar, "", true}});
    }
    void cambioInterrumpido() {
        const auto& c = fila<Parada>();
        const QByteArray despues =
            c.llamada ? QByteArray(LineaEnero).replace("01-20", "02-01") : QByteArray();
        Escribir(Log(), LineaEnero);
        Escribir(Anterior(), QByteArray(LineaEnero).replace("1999-01", "1998-12"));
        Periodo("01/01/1999", "31/01/1999");
        Arranque::CambiarPeriodo(ajustes_, Enero, D(1999, 2, 1), carpeta_, c.paso);
        if (*c.temporal)
            Escribir(carpeta_ / c.temporal, "x");
        if (c.llamada) // the log was emptied before the kill
            Escribir(Log(), despues);
        const auto r = Arrancar(D(1999, 2, 1));
        QCOMPARE(Contenido(Anterior()), LineaEnero);
        QCOMPARE(Contenido(Log()), despues);
        QCOMPARE(Periodo(), std::string("01/02/1999-02/03/1999"));
        QVERIFY(r.periodo.inicio == D(1999, 2, 1) && r.mensajes.size() == 1 &&
                !r.mensajes[0].critico);
        QCOMPARE(std::distance(fs::directory_iterator(carpeta_), {}), 2L); // the two logs alone
    }

    // First start writes the defaults and the log; bad settings keep what is valid and say so.
    void cargarAjustes_data() {
        tabla<Carga>({{"primer arranque", 1, 15, 0, "Metropolitana", false, ""},
                      {"almacén roto", 2, 15, 0, "Metropolitana", true,
                       "No se han podido guardar los ajustes de VatriMox; se usan los valores por "
                       "defecto."},
                      {"fecha ilegible", 0, 1, 1, "Provincial", false,
                       "Las fechas guardadas del periodo de llamadas no eran válidas; se ha "
                       "cambiado FechaFinal («31/02/1999») a 14/05/1999."},
                      {"no se guardan", 3, 15, 1, "Provincial", true,
                       "No se pueden guardar los ajustes de VatriMox: los cambios que se hagan no "
                       "se conservarán."}});
    }
    void cargarAjustes() {
        const auto& c = fila<Carga>();
        if (c.almacen == 0)
            Periodo("01/03/1999", "31/02/1999");
        MemorySettingsStore s = c.almacen % 3 ? MemorySettingsStore() : ajustes_;
        QByteArray llamadas; // a log found is kept, first start or not; a missing one made empty
        fs::remove(Log());
        if (c.almacen != 2) {
            llamadas = "#1999-03-01#,#10:00:00#,#00:01:00#,60,12.5,\"Provincial\"\r\n";
            Escribir(Log(), llamadas);
        }
        if (c.almacen % 3 == 0) {
            General::Escribir(s, General::Ajustes::IVA, "1");
            General::Escribir(s, General::Ajustes::Negociacion, "muchos");
            General::Escribir(s, General::Ajustes::Tarifa, "Provincial");
        }
        s.fallarEscrituras = c.almacen == 2;
        s.sinGuardar = c.almacen == 3;
        std::vector<Arranque::Mensaje> mensajes;
        const auto p = Arranque::CargarAjustes(s, D(1999, 3, 15), carpeta_, estado_, mensajes);
        QVERIFY(p.inicio == D(1999, 3, c.inicio) && p.fin == D(1999, 5, 14));
        QCOMPARE(mensajes.empty() ? "" : mensajes.at(0).texto, c.mensaje);
        QVERIFY(mensajes.size() < 2 && (mensajes.empty() || mensajes[0].critico == c.critico));
        QVERIFY(estado_.IncluirIVA == c.iva && estado_.SegundosNegociacion == 20 &&
                estado_.PorcentajeIVA == 16);
        QCOMPARE(estado_.TipoLlamada, std::string(c.tipo));
        QCOMPARE(Contenido(Log()), llamadas);
        if (c.almacen == 1) // every default, in order
            QCOMPARE(s.escrituras.size(), qsizetype(General::AjustesEnOrden().size()));
    }

    // A kill before the first tick, after the append, or in a journal write: logged once.
    void recuperacionTrasMuerte_data() {
        tabla<Muerte>({{"antes del primer tick", 0, false, 1},
                       {"tras añadir", 40, false, 0},
                       {"temporal suelto", 40, true, 0}});
    }
    void recuperacionTrasMuerte() {
        const auto& c = fila<Muerte>();
        Medidor m = Iniciado();
        if (c.segundos > 0) {
            Tick(m, c.segundos);
            QVERIFY(ArchivoLlamadas::Anadir(Log(), m.Registro()));
        }
        const auto suelto = carpeta_ / ".llamada_en_curso.ldx.tmp999-0";
        if (c.temporal)
            Escribir(suelto, LineaEnero);
        const auto diario = Leidas(EnCurso());
        QCOMPARE(diario.size(), size_t(1));
        const auto r = Arrancar(D(1999, 3, 15));
        QCOMPARE(r.mensajes.size(), c.mensajes);
        QCOMPARE(Leidas(Log()), diario);
        QVERIFY(!fs::exists(EnCurso()) && !fs::exists(suelto));
    }

    // A journal call goes to its period's log, or stays pending; an unreadable one to .danado.
    void recuperacionDelDiario() {
        Periodo("01/01/1999", "31/01/1999");
        Llamada l{D(1999, 1, 31), 36000, 300, 200, Moneda::desdeEntero(50), "Metropolitana"};
        QVERIFY(Diario::Guardar(carpeta_, {l}));
        const auto r = Arrancar(D(1999, 2, 1));
        QCOMPARE(r.mensajes.size(), size_t(2));
        QVERIFY(QString::fromStdString(r.mensajes[0].texto).contains("31/01/1999 a las 10:00:00"));
        QCOMPARE(Contenido(Anterior()),
                 QByteArray::fromStdString(ArchivoLlamadas::LineaRegistro(l)));
        QVERIFY(Contenido(Log()).isEmpty() && !fs::exists(EnCurso()));

        l.Fecha = D(1999, 2, 1);
        QVERIFY(Diario::Guardar(carpeta_, {l}));
        fs::remove(Log()), fs::create_directory(Log());
        const auto p = Arrancar(D(1999, 2, 1));
        QVERIFY(p.pendientes.size() == 1 && p.mensajes.size() == 1 && p.mensajes[0].critico);
        QCOMPARE(Leidas(EnCurso()).size(), size_t(1));
        fs::remove(Log()), Escribir(EnCurso(), "basura\r\n");
        const auto d = Arrancar(D(1999, 2, 1));
        QVERIFY(d.mensajes.size() == 1 && d.mensajes[0].critico);
        QCOMPARE(Contenido(fs::path(EnCurso()) += ".danado"), QByteArray("basura\r\n"));
        QVERIFY(!fs::exists(EnCurso()) && !fs::exists(Log()));
    }
};

QTEST_GUILESS_MAIN(TestArranque)
#include "TestArranque.moc"

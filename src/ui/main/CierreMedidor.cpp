// Form1: closing by the user, and the end of the session, with the calls no file holds.
#include "ui/main/VentanaMedidor.h"

#include "calllog/ArchivoLlamadas.h"
#include "platform/Prompts.h"

#include <QCloseEvent>
#include <QDir>

#include <cstdio>

namespace {

constexpr const char* TextoSalir =
    "En estos momentos tiene lugar una llamada, si sale del programa,"
    "\r\ndicha llamada no quedará almacenada en la base de datos."
    "\r\n¿Esta seguro de que desea salir?";

} // namespace

bool Form1::Form_Unload() {
    if (Timer1.isActive()) {
        if (!s_.avisos.question(this, "VatriMox", TextoSalir, true))
            return false;
        Timer1.stop();
        Timer5.stop();
        medidor_.Abandonar();
    }
    medidor_.Reintentar();
    if (medidor_.SinGuardar() && !GuardarPendientes())
        return false;
    Cerrar();
    return true;
}

void Form1::FinDeSesion() {
    if (cerrada_)
        return;
    // No message box: nobody may be there to close it, and the session would not wait.
    if (Timer1.isActive())
        TerminarLlamada(false);
    // Standard error is what the session's journal keeps.
    if (const std::string texto = medidor_.GuardarAlSalir(Reservas(true)); !texto.empty())
        std::fprintf(stderr, "VatriMox: %s\n", texto.c_str());
    Cerrar();
    hide();
    emit cerrado();
}

void Form1::Cerrar() {
    Timer3.stop();
    Timer4.stop();
    Reintento.stop();
    bandeja_.QuitarIcono();
    cerrada_ = true;
}

bool Form1::GuardarPendientes() {
    QString lineas;
    for (const Llamada& l : medidor_.Pendientes())
        lineas += QString::fromStdString(ArchivoLlamadas::LineaRegistro(l));
    const QString texto = "No se ha podido guardar en ningún archivo:\r\n" + lineas +
                          "Si sale ahora se perderá. ¿Desea guardarla en otro archivo con "
                          "\"Guardar como...\"?";
    if (!s_.avisos.question(this, "VatriMox", texto, true)) {
        medidor_.OlvidarPendientes();
        return true;
    }
    const QString ruta = s_.avisos.saveFile(this, "Guardar como...",
                                            "Documento de VatriMox (*.ldx)", QDir::homePath());
    if (ruta.isEmpty())
        return false;
    const auto r = ArchivoLlamadas::Escribir(ruta.toStdString(), medidor_.Pendientes());
    if (!r) {
        s_.avisos.message(this, "VatriMox",
                          "No se ha podido guardar en " + ruta + ": " +
                              QString::fromStdString(r.error),
                          Prompts::Icono::Critico);
        return false;
    }
    s_.avisos.message(this, "VatriMox",
                      "Se ha guardado en " + ruta + "; no está en el archivo de llamadas.",
                      Prompts::Icono::Informacion);
    medidor_.OlvidarPendientes();
    return true;
}

std::vector<std::filesystem::path> Form1::Reservas(bool alSalir) const {
    std::vector<std::filesystem::path> r;
    for (const QString& c : alSalir ? s_.carpetasUltimoRecurso : s_.carpetasReserva)
        r.emplace_back(c.toStdString());
    return r;
}

void Form1::closeEvent(QCloseEvent* evento) {
    if (!Form_Unload()) {
        evento->ignore();
        return;
    }
    evento->accept();
    emit cerrado();
}

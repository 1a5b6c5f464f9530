// Form6's file commands: "Nuevo", "Abrir", "Guardar", "Inicio", and the rewrite of the file
// shown after an edit.
#include "calllog/ArchivoLlamadas.h"
#include "ui/calllog/VentanaLlamadas.h"

#include "calllog/Reescritura.h"
#include "platform/Prompts.h"
#include "platform/Rutas.h"

#include <QFileInfo>

void Form6::NuevoArchivo() {
    if (!servicios_.avisos.question(
            this, Titulo,
            QString::fromUtf8("Al crear un nuevo archivo de llamadas se perderá el actual\n"
                              "¿Esta seguro de querer continuar?"),
            false))
        return;
    const auto resultado = ArchivoLlamadas::Vaciar(Rutas::Ruta(ArchivoActual));
    if (!resultado) {
        AvisoCritico(QString::fromUtf8("No se ha podido vaciar el archivo %1:\n%2")
                         .arg(ArchivoActual, QString::fromStdString(resultado.error)));
        return;
    }
    CargarArchivo();
    // A chart left showing the calls of before would describe a file that no longer holds them.
    RedibujarGraficos();
}

void Form6::AbrirArchivo() {
    const QString ruta = servicios_.avisos.openFile(this, "Abrir archivo de llamadas ...",
                                                    "Documento de VatriMox (*.ldx)",
                                                    QFileInfo(ArchivoActual).path());
    if (ruta.isEmpty())
        return;
    ArchivoActual = ruta;
    if (!CargarArchivo()) {
        AvisoDanado();
        return;
    }
    RedibujarGraficos();
}

void Form6::GuardarComo() {
    const QString ruta = servicios_.avisos.saveFile(
        this, "Guardar registro de llamadas como ...",
        "Documento de VatriMox (*.ldx);;Documento de Microsoft Excel (*.csv)",
        QFileInfo(ArchivoActual).path());
    if (ruta.isEmpty())
        return;
    // Saving over the file shown is a rewrite of it, which keeps calls appended meanwhile.
    if (QFileInfo(ruta).canonicalFilePath() == QFileInfo(ArchivoActual).canonicalFilePath() &&
        QFileInfo::exists(ruta)) {
        GuardarArchivo(ListaLlamadas());
        return;
    }
    const auto resultado = ArchivoLlamadas::Escribir(Rutas::Ruta(ruta), ListaLlamadas());
    if (!resultado)
        AvisoCritico(QString::fromUtf8("No se ha podido guardar el archivo %1:\n%2")
                         .arg(ruta, QString::fromStdString(resultado.error)));
}

bool Form6::GuardarArchivo(const std::vector<Llamada>& lista) {
    const auto r = Registro::Reescribir(Rutas::Ruta(ArchivoActual), ListaLlamadas(), lista);
    if (r.estado == Registro::Reescritura::Cambiado) {
        AvisoCritico(QString::fromUtf8("El archivo %1 ha cambiado desde que se cargó y no se ha "
                                       "modificado. Se muestra de nuevo.")
                         .arg(ArchivoActual));
        if (!CargarArchivo())
            AvisoDanado();
        return false;
    }
    if (r.estado == Registro::Reescritura::Fallo) {
        AvisoCritico(QString::fromUtf8("No se ha podido guardar el archivo %1:\n%2")
                         .arg(ArchivoActual, QString::fromStdString(r.error)));
        return false;
    }
    if (!CargarArchivo())
        AvisoDanado();
    return true;
}

void Form6::Inicio() {
    Form_Load();
    RedibujarGraficos();
}

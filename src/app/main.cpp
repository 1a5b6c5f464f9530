// Composition root: builds the real adapters and the main window.
#include "core/Formato.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("VatriMox");
    QMainWindow ventana;
    ventana.setWindowTitle(QString::fromStdString(General::TituloPrograma()));
    ventana.show();
    return QApplication::exec();
}

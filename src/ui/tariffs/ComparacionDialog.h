// "¿Qué tarifa me conviene?": the loaded calls re-priced under every call type of every plan.
#pragma once

#include "calllog/Llamada.h"
#include "tariffs/Comparacion.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class Prompts;
class QTableWidget;

class ComparacionDialog : public QDialog {
    Q_OBJECT
public:
    // A read-only table of the rows, in their order, with the user's decimal separator.
    explicit ComparacionDialog(const std::vector<Tarifas::FilaComparacion>& filas,
                               QWidget* padre = nullptr);

    QTableWidget* Tabla = nullptr;
};

// Loads the built-in tariff and the user's plan files, lists the refused files in one message,
// and opens the table over `padre` without waiting for it to close. The calls are not changed.
void MostrarComparacion(QWidget* padre, Prompts& avisos, const std::vector<Llamada>& llamadas,
                        uint8_t incluirIVA, uint8_t porcentajeIVA);

// Values edited by the options dialog: read at opening, checked, and stored in a fixed order.
#pragma once

#include "settings/Ajustes.h"
#include "stats/Presupuesto.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace General {

inline constexpr std::array<std::string_view, 3> ModosAlAbrir{"Normal", "Minimizado", "Mini Icono"};
inline constexpr std::array<std::string_view, 4> ModosAlConectar{"No Cambiar", "Normal",
                                                                 "Minimizado", "Mini Icono"};

// A number box of the dialog: the field named in messages and its range.
struct CampoNumero {
    const char* nombre;
    int minimo;
    int maximo;
};
namespace Campos {
inline constexpr CampoNumero Minutos{"Minutos (Mientras está conectado)", 0, 540};
inline constexpr CampoNumero Pesetas{"Pesetas (Cuando el importe sea igual a)", 10, 9000};
inline constexpr CampoNumero PorcentajeIVA{"Incluir el IVA en llamadas", 1, 30};
inline constexpr CampoNumero NoAceptar{"No guardar llamadas menores de", 0, 600};
inline constexpr CampoNumero Negociacion{"Tiempo de Negociación", 0, 60};
inline constexpr CampoNumero Presupuesto{"Presupuesto", 0, Estadistica::PresupuestoMaximo};
} // namespace Campos

struct ValoresOpciones {
    std::string alertaSonido, inicioSonido, finalSonido, pasoSonido;
    bool alertaSINO = false, inicioSINO = false, finalSINO = false, pasoSINO = false;
    bool autoSINO = false, inicioWindowsSINO = false, iva = false;
    std::string alAbrir, alConectar;
    // Numbers that did not convert at opening stay empty.
    std::optional<int> periodo2, importe, cuantoIVA, negociacion, noAceptar;
    std::string presupuesto; // whole pesetas; "" for none
};

// Reads every setting of the dialog; "Negociacion", "CuantoIVA" and "IVA" also go into the
// program state when they convert.
ValoresOpciones LeerOpciones(const SettingsStore& store, EstadoPrograma& estado);

// The whole number in `texto` when it lies in the field's range; otherwise `error` names the field.
std::optional<int> LeerCampo(const CampoNumero& campo, std::string_view texto, std::string& error);

// True when a sound is switched on without a file.
bool FaltaSonido(const ValoresOpciones& v);

// IVA, its percentage and the negotiation seconds into the program state.
void AplicarEstado(const ValoresOpciones& v, EstadoPrograma& estado);

// The settings written on acceptance, in order: "Sonidos" then "Opciones". Every number must
// be present.
std::vector<std::pair<const Ajuste*, std::string>> EscriturasOpciones(const ValoresOpciones& v);
// Writes them all, and "Presupuesto" when it differs from the stored text (so a user who sets no
// budget finds no new setting); false when one could not be stored.
bool GuardarOpciones(SettingsStore& store, const ValoresOpciones& v);

} // namespace General

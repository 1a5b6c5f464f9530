// Llamada, the call record, and the call-log file format (one CRLF-ended text line per call).
#pragma once

#include "core/Fecha.h"
#include "core/Moneda.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct Llamada {
    Fechas::Dia Fecha = Fechas::Epoca; // day the call started
    int32_t Hora = 0;                  // start time, second of the day 0..86399
    int64_t Duracion = 0;              // connection time in seconds; a day or more keeps its days
    int32_t Segundos = 0;              // billed seconds
    Moneda Importe;                    // pesetas
    std::string Tarifa;                // call type in force
    bool operator==(const Llamada&) const = default;
};

namespace ArchivoLlamadas {

inline constexpr const char* NombreActual = "llamadas.ldx";
inline constexpr const char* NombreAnterior = "antiguas.ldx";

// Outcome of a file operation: empty `error` means success.
struct Resultado {
    std::string error;
    explicit operator bool() const { return error.empty(); }
};

// Where and why a read failed.
struct ErrorLectura {
    int64_t registro = 0; // 0-based record being read
    int campo = 0;        // 1..6, field of that record; 0 when the file itself could not be read
    int64_t linea = 0;    // 1-based line of the file
    std::string motivo;
};

struct Lectura {
    std::vector<Llamada> llamadas;
    bool ok = true;
    ErrorLectura error;
};

// One record line, CRLF included: #1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,"Metropolitana"
std::string LineaRegistro(const Llamada& llamada);
// The lines of these records, as Escribir stores them.
std::string TextoArchivo(const std::vector<Llamada>& llamadas);
// Why a record would not read back as written (Hora outside 0..86399, negative Duracion, a year
// outside 1..9999, a double quote or line end in Tarifa); "" when it can be written. Anadir and
// Escribir refuse such records and leave the file unchanged.
std::string ProblemaRegistro(const Llamada& llamada);
// Reads the bytes of a call-log file: six values per record, counted across line ends.
Lectura LeerTexto(std::string_view bytes);
Lectura Leer(const std::filesystem::path& archivo);
// Appends one record, creating the file when missing.
Resultado Anadir(const std::filesystem::path& archivo, const Llamada& llamada);
// Replaces the file with these records, atomically (temporary file, flush, rename).
Resultado Escribir(const std::filesystem::path& archivo, const std::vector<Llamada>& llamadas);
// Leaves a file of length 0, atomically.
Resultado Vaciar(const std::filesystem::path& archivo);
// Creates an empty file only where none exists.
Resultado CrearSiFalta(const std::filesystem::path& archivo);
// Copies origen over destino, atomically.
Resultado Copiar(const std::filesystem::path& origen, const std::filesystem::path& destino);

} // namespace ArchivoLlamadas

// ArchivoLlamadas: the call-log file format (one CRLF-ended text line per call) and the
// file operations on it. The writer is in EscrituraRegistros.cpp, the reader in
// LecturaRegistros.cpp, the operations on files in ArchivoLlamadas.cpp.
#pragma once

#include "calllog/Llamada.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    int campo = 0;        // 1..6 field of that record, 7 a seventh value on its line; 0: unreadable
    int64_t linea = 0;    // 1-based line of the file
    std::string motivo;
};

struct Lectura {
    std::vector<Llamada> llamadas;
    bool ok = true;
    ErrorLectura error;
    bool textoUtf8 = true;  // every call type read is valid UTF-8
    bool cancelada = false; // abandoned at the caller's request
};

// "Línea 2, campo 1 (Fecha): fecha u hora no válida"; the reason alone when the file itself
// could not be read.
std::string TextoError(const ErrorLectura& error);
// Told now and then how many bytes of how many a read has gone through; returning false
// abandons the read (`cancelada`).
using Avance = std::function<bool(size_t hechos, size_t total)>;

// One record line, CRLF included: #1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,"Metropolitana"
std::string LineaRegistro(const Llamada& llamada);
// The lines of these records, as Escribir stores them.
std::string TextoArchivo(const std::vector<Llamada>& llamadas);
// Hands the lines of these records to `volcar` a block at a time; false as soon as it does.
bool EscribirEnBloques(const std::vector<Llamada>& llamadas,
                       const std::function<bool(const char*, size_t)>& volcar);
// Why a record would not read back as written (a date field outside the years 1..9999, a double
// quote or line end in Tarifa); "" when it can be written. Anadir and Escribir refuse such
// records and leave the file unchanged.
std::string ProblemaRegistro(const Llamada& llamada);
// Reads the bytes of a call-log file: six values per record, counted across line ends.
Lectura LeerTexto(std::string_view bytes, const Avance& avance = {});
Lectura Leer(const std::filesystem::path& archivo, const Avance& avance = {});
// The last record of a file, as Leer would give it, read from the file's last bytes when they
// hold whole records; nullopt when the file has none or does not read.
std::optional<Llamada> LeerUltima(const std::filesystem::path& archivo);
// Appends one record, creating the file when missing.
Resultado Anadir(const std::filesystem::path& archivo, const Llamada& llamada);
// Replaces the file with these records, atomically (temporary file, flush, rename).
Resultado Escribir(const std::filesystem::path& archivo, const std::vector<Llamada>& llamadas);
// Leaves a file of length 0, atomically.
Resultado Vaciar(const std::filesystem::path& archivo);
// Creates an empty file only where none exists.
Resultado CrearSiFalta(const std::filesystem::path& archivo);
// Replaces the file with these bytes, atomically.
Resultado Reemplazar(const std::filesystem::path& archivo, std::string_view contenido);
// Removes the temporary files that a kill in the middle of replacing `archivo` left beside it.
void BorrarTemporales(const std::filesystem::path& archivo);
// Copies origen over destino, atomically.
Resultado Copiar(const std::filesystem::path& origen, const std::filesystem::path& destino);

} // namespace ArchivoLlamadas

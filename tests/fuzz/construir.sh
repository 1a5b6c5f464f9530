#!/bin/sh
# Builds the call-log reader/writer and plan-file fuzzers with clang: tests/fuzz/construir.sh [output folder]
# Run it bounded, e.g.: build-fuzz/fuzz_lector -max_total_time=30 build-fuzz/corpus tests/fuzz/semillas
set -eu
raiz=$(cd "$(dirname "$0")/../.." && pwd)
s=$raiz/src
salida=${1:-"$raiz/build-fuzz"}
mkdir -p "$salida/corpus" "$salida/corpus-planes" "$salida/generado"
# The version header CMake generates, from the same template and project(VERSION).
version=$(sed -n 's/^project(VatriMox VERSION \([0-9.]*\).*/\1/p' "$raiz/CMakeLists.txt")
set -- $(echo "$version" | tr . ' ')
sed -e "s/@PROJECT_VERSION@/$version/" -e "s/@PROJECT_VERSION_MAJOR@/$1/" \
    -e "s/@PROJECT_VERSION_MINOR@/$2/" -e "s/@PROJECT_VERSION_PATCH@/$3/" \
    "$raiz/cmake/Version.h.in" > "$salida/generado/Version.h"
cxx() {
    ${CXX_FUZZ:-clang++} -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -I"$s" -I"$salida/generado" "$s/core/Moneda.cpp" \
        "$s/core/Fecha.cpp" "$@"
}
cxx "$raiz/tests/fuzz/FuzzLector.cpp" "$s/calllog/ArchivoLlamadas.cpp" \
    "$s/calllog/EscrituraRegistros.cpp" "$s/calllog/LecturaRegistros.cpp" \
    "$s/calllog/TextoTarifa.cpp" "$s/calllog/BloqueoLlamadas.cpp" -o "$salida/fuzz_lector"
cxx "$raiz/tests/fuzz/FuzzPlanes.cpp" "$s/tariffs/LectorPlanes.cpp" "$s/tariffs/ErroresSintaxis.cpp" \
    "$s/tariffs/Planes.cpp" "$s/tariffs/Tarifas.cpp" "$s/core/Formato.cpp" -o "$salida/fuzz_planes"
echo "$salida/fuzz_lector $salida/fuzz_planes"

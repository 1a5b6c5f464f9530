#!/bin/sh
# Builds the call-log reader/writer and plan-file fuzzers with clang: tests/fuzz/construir.sh [output folder]
# Run it bounded, e.g.: build-fuzz/fuzz_lector -max_total_time=30 build-fuzz/corpus tests/fuzz/semillas
set -eu
raiz=$(cd "$(dirname "$0")/../.." && pwd)
salida=${1:-"$raiz/build-fuzz"}
mkdir -p "$salida/corpus" "$salida/corpus-planes" "$salida/generado"
# The version header CMake generates, from the same template and project(VERSION).
version=$(sed -n 's/^project(VatriMox VERSION \([0-9.]*\).*/\1/p' "$raiz/CMakeLists.txt")
mayor=${version%%.*}
resto=${version#*.}
menor=${resto%%.*}
revision=${resto#*.}
sed -e "s/@PROJECT_VERSION@/$version/" -e "s/@PROJECT_VERSION_MAJOR@/$mayor/" \
    -e "s/@PROJECT_VERSION_MINOR@/$menor/" -e "s/@PROJECT_VERSION_PATCH@/$revision/" \
    "$raiz/cmake/Version.h.in" > "$salida/generado/Version.h"
${CXX_FUZZ:-clang++} -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I"$raiz/src" -I"$salida/generado" \
    "$raiz/tests/fuzz/FuzzLector.cpp" "$raiz/src/calllog/ArchivoLlamadas.cpp" \
    "$raiz/src/calllog/EscrituraRegistros.cpp" "$raiz/src/calllog/LecturaRegistros.cpp" \
    "$raiz/src/calllog/TextoTarifa.cpp" "$raiz/src/calllog/BloqueoLlamadas.cpp" \
    "$raiz/src/core/Moneda.cpp" "$raiz/src/core/Fecha.cpp" \
    -o "$salida/fuzz_lector"
${CXX_FUZZ:-clang++} -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I"$raiz/src" -I"$salida/generado" \
    "$raiz/tests/fuzz/FuzzPlanes.cpp" "$raiz/src/tariffs/LectorPlanes.cpp" \
    "$raiz/src/tariffs/ErroresSintaxis.cpp" \
    "$raiz/src/tariffs/Planes.cpp" "$raiz/src/tariffs/Tarifas.cpp" "$raiz/src/core/Moneda.cpp" \
    "$raiz/src/core/Fecha.cpp" "$raiz/src/core/Formato.cpp" -o "$salida/fuzz_planes"
echo "$salida/fuzz_lector $salida/fuzz_planes"

#!/bin/sh
# Runs VatriMox under Xvfb with a tray host and a fixed clock, starts a call with a real click
# and takes the main-window screenshots main-idle.png and main-call.png into the given folder.
# Usage: tools/capturas.sh build/src/vatrimox docs
set -u
BIN=$1
SALIDA=$2

. "$(dirname "$0")/../tests/e2e/comun.sh"
requerir wmdocker faketime import
iniciar_xvfb
wmdocker >"$TMP/wmdocker.log" 2>&1 &
PIDS="$PIDS $!"

mkdir -p "$SALIDA"
ajustes "$TMP/home" 01/03/1999 30/04/1999 Normal "No Cambiar" 0 15
DIARIO="$TMP/home/.local/share/VatriMox/llamada_en_curso.ldx"
# The program at 10:00:00 on 15/3/1999, in Spanish.
IDIOMA=es_ES.UTF-8
vatrimox "$TMP/home" exec env FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '@1999-03-15 10:00:00' \
    >"$TMP/vatrimox.log" 2>&1 &
P=$!
PIDS="$PIDS $P"
esperar 100 ventana >/dev/null || fallo "no VatriMox window"
V=$(ventana)
esperar 50 visible "$V" || fallo "the window was not mapped"
sleep 1 # the first paint
import -window "$V" "$SALIDA/main-idle.png" || fallo "screenshot"
clic "$V" 140 164 # "Iniciar"
esperar 50 test -s "$DIARIO" || fallo "the click did not start a call"
# The call's third second on the meter (with the 20 negotiation seconds), once painted.
esperar 80 grep -q '#00:00:23#' "$DIARIO" || fallo "the meter did not reach 3 s"
sleep 0.3
import -window "$V" "$SALIDA/main-call.png" || fallo "screenshot"
echo "screenshots in $SALIDA"
kill $P

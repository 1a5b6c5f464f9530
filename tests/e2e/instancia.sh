#!/bin/sh
# Runs VatriMox under Xvfb: a tray host that starts after the program still gets the icon, and a
# "Mini Icono" call end leaves it reachable; a second start with a call running only shows the
# first one's window and exits, and the call is logged once.
# Usage: instancia.sh <vatrimox binary>
set -u
BIN=$1

. "$(dirname "$0")/comun.sh"
requerir wmdocker
iniciar_xvfb
# arrancar <home> <AlAbrir> <AlConectar>: the program in the background, its window in V
arrancar() {
    ajustes "$1" "$(date +%d/%m/%Y)" "$(date -d '+30 days' +%d/%m/%Y)" "$2" "$3" 0 0
    DATOS="$1/.local/share/VatriMox"
    vatrimox "$1" exec >"$1.log" 2>&1 &
    P=$!
    PIDS="$PIDS $P"
    esperar 100 ventana >/dev/null || fallo "no window"
    V=$(ventana)
    esperar 50 visible "$V" || fallo "the window is out of reach (no tray host yet in 1.)"
}
oculta() { ! visible "$1"; }
# The tray host's window, and the icon docked in it: a window of the program inside.
bandeja() { xwininfo -root -tree | awk '/"Docker": \(\)/ {print $1}'; }
icono() { [ -n "$(bandeja)" ] && xwininfo -id "$(bandeja)" -children | grep -q '"VatriMox")'; }
# iniciar / parar: a click on "Iniciar" or "Parar", and the call's journal or log appearing
iniciar() {
    clic "$V" 140 164
    esperar 50 test -s "$DATOS/llamada_en_curso.ldx" || fallo "Iniciar did not start a call"
}
parar() {
    clic "$V" 140 164
    esperar 50 test -s "$DATOS/llamadas.ldx" || fallo "Parar did not log the call"
}
registros() { [ "$(cat "$DATOS/llamadas.ldx" 2>/dev/null | grep -c .)" = "$1" ]; }

# 1. No tray host yet: "Mini Icono" keeps the window up. The host starts and the icon docks;
#    the call end then hides the window behind the icon, which brings it back.
arrancar "$TMP/tarde" "Mini Icono" "No Cambiar"
wmdocker >"$TMP/wmdocker.log" 2>&1 &
PIDS="$PIDS $!"
esperar 50 icono || fallo "the icon did not appear when the tray host started"
iniciar
parar
esperar 50 oculta "$V" || fallo "the call end did not hide the window behind the icon"
# With no panel to show the tray host's window, map it as one would; the icon sits inside.
xdotool windowmap "$(bandeja)"
esperar 50 visible "$(bandeja)" || fallo "the tray host's window was not mapped"
clic "$(bandeja)" 12 12 2
esperar 50 visible "$V" || fallo "a double click on the icon did not bring the window back"
registros 1 || fallo "not one call logged"
kill "$P"
wait "$P" 2>/dev/null
echo "late tray host: icon docked, window reachable, call logged once"

# 2. A call runs and its window hides ("Mini Icono" at call start); a second start shows that
#    window and exits, the running call's journal untouched; the call is logged once at its end.
arrancar "$TMP/doble" "Normal" "Mini Icono"
iniciar
esperar 50 oculta "$V" || fallo "the call start did not hide the window"
vatrimox "$TMP/doble" timeout 15 >"$TMP/segunda.log" 2>&1 || fallo "the second start did not end at once"
esperar 50 visible "$V" || fallo "the second start did not show the first one's window"
registros 0 || fallo "the running call was logged by the second"
test -s "$DATOS/llamada_en_curso.ldx" || fallo "the running call's journal is gone"
parar
registros 1 || fallo "not one call logged"
echo "second start: first window shown, call logged once"

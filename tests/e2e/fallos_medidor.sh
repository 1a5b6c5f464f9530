#!/bin/sh
# Runs the real program headless with a fake ppp0 and a faked wall clock. First call: it spans
# the autumn summer-time change (Europe/Madrid, 31/10/1999 03:00) and a 2 h jump back of the
# clock, and must be logged with the time that really passed. Second call: SIGTERM in mid-call
# must log it once and end the program cleanly. Third call: the data folder is a full tmpfs;
# the call must go to the reserve journal and be logged once by the next start.
# Usage: fallos_medidor.sh <vatrimox binary>
set -u
BIN=$1

. "$(dirname "$0")/comun.sh"
requerir date
LIBFT=$(ls /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1 2>/dev/null |
    head -n 1)
[ -n "$LIBFT" ] || { echo "FAIL: libfaketime is not installed (make deps installs it)"; exit 1; }
requerir_ppp0
unshare -rm sh -c 'mount -t tmpfs none "$1"' sh "$TMP/runtime" >/dev/null 2>&1 ||
    { echo "SKIP: no mount namespace for a full disk"; exit 77; }

ajustes "$TMP/home" 01/10/1999 30/11/1999 Normal "No Cambiar" 1 15
# The clock starts 15 s before 03:00 summer time, when it turns back to 02:00.
echo "$(( $(date -u -d '1999-10-31 00:59:45' +%s) - $(date +%s) ))" >"$TMP/reloj"
QPA=offscreen
RELOJ="env LD_PRELOAD=$LIBFT FAKETIME_TIMESTAMP_FILE=$TMP/reloj FAKETIME_NO_CACHE=1
    FAKETIME_DONT_FAKE_MONOTONIC=1"
DATOS="$TMP/home/.local/share/VatriMox"
DIARIO="$DATOS/llamada_en_curso.ldx"
lineas() { [ -f "$DATOS/llamadas.ldx" ] && grep -c . "$DATOS/llamadas.ldx" || echo 0; }
terminado() {
    kill -TERM "$(cat "$TMP/pid")"
    esperar 50 test -f "$TMP/rc" || fallo "SIGTERM did not end the program"
    [ "$(cat "$TMP/rc")" = 0 ] || fallo "the program ended with status $(cat "$TMP/rc") on SIGTERM"
}

FASES="1 2" vatrimox "$TMP/home" con_ppp0 $RELOJ
touch "$TMP/conectar1"
esperar 40 test -s "$DIARIO" || fallo "ppp0 up did not start a call"
T0=$(date +%s)
# The wall clock moves on 20 s, across 03:00, which turns back to 02:00, then jumps 2 h back;
# only the time that really passes may count. Each clock is seen by at least one tick.
otro_tick "$DIARIO"
echo "$(( $(cat "$TMP/reloj") + 20 ))" >"$TMP/reloj"
otro_tick "$DIARIO"
echo "$(( $(cat "$TMP/reloj") - 7200 ))" >"$TMP/reloj"
otro_tick "$DIARIO"
T1=$(date +%s)
touch "$TMP/colgar1"
esperar 30 test -s "$DATOS/llamadas.ldx" || fallo "ppp0 down did not log the call"
# Duration field #00:00:SS#: the seconds that passed plus the 20 negotiation seconds.
DUR=$(sed -n '1s/^[^,]*,[^,]*,#00:00:\([0-9][0-9]\)#.*/\1/p' "$DATOS/llamadas.ldx" | sed 's/^0//')
ESPERADO=$((T1 - T0 + 20))
if [ -z "$DUR" ] || [ "$DUR" -lt $((ESPERADO - 2)) ] || [ "$DUR" -gt $((ESPERADO + 2)) ]; then
    fallo "call across the clock changes logged as ${DUR:-nothing} s, ${ESPERADO} s passed"
fi

touch "$TMP/conectar2"
esperar 40 test -f "$DIARIO" || fallo "second call did not start"
otro_tick "$DIARIO" || fallo "the second call's journal was not written again"
terminado
[ "$(lineas)" = 2 ] || fallo "SIGTERM in mid-call left $(lineas) calls in the log, not 2"
[ ! -e "$DIARIO" ] || fallo "the journal outlived a clean SIGTERM"
echo "clock changes: $DUR s logged for $ESPERADO s; SIGTERM: call logged once"

RESERVA="$TMP/home/.config/VatriMox/llamada_en_curso.ldx"
LLENAR="$DATOS" FASES=3 vatrimox "$TMP/home" con_ppp0 $RELOJ
touch "$TMP/conectar3"
esperar 40 test -s "$RESERVA" || fallo "with a full disk the running call went to no reserve journal"
otro_tick "$RESERVA" || fallo "the reserve journal was not written again"
touch "$TMP/colgar3"
esperar 50 sin_ticks "$RESERVA" || fallo "ppp0 down did not end the call with a full disk"
terminado
[ "$(grep -c . "$RESERVA")" = 1 ] || fallo "the reserve journal does not hold the call"
# Space again: the next start logs the call once and removes the reserve journal.
vatrimox "$TMP/home" exec $RELOJ >>"$TMP/vatrimox.log" 2>&1 &
echo $! >"$TMP/pid"
esperar 50 sh -c '[ "$(grep -c . "$1")" = 3 ] && [ ! -e "$2" ]' sh "$DATOS/llamadas.ldx" "$RESERVA" ||
    fallo "the reserved call was not logged at start"
kill -TERM "$(cat "$TMP/pid")"
wait "$(cat "$TMP/pid")" || fallo "the program ended with status $? on SIGTERM"
[ "$(lineas)" = 3 ] || fallo "the reserved call was logged $(($(lineas) - 2)) times"
echo "full disk: call kept in the reserve journal and logged once at the next start"

#!/bin/sh
# Runs the real program headless with a fake ppp0 and a faked wall clock. First call: it spans
# the autumn summer-time change (Europe/Madrid, 31/10/1999 03:00) and a 2 h jump back of the
# clock, and must be logged with the time that really passed. Second call: SIGTERM in mid-call
# must log it once and end the program cleanly. Third call, where a mount namespace can be made:
# the data folder is a full tmpfs; the call must go to the reserve journal and be logged once
# by the next start.
# Usage: fallos_medidor.sh <vatrimox binary>
set -u
BIN=$1

. "$(dirname "$0")/comun.sh"
requerir unshare ip python3 date
LIBFT=""
for c in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
    [ -f "$c" ] && LIBFT=$c && break
done
if [ -z "$LIBFT" ]; then
    echo "FAIL: libfaketime is not installed (make deps installs it)"
    exit 1
fi
if ! unshare -rn sh -c 'ip tuntap add dev ppp0 mode tun' >/dev/null 2>&1; then
    echo "SKIP: no network namespace for a fake ppp0"
    exit 0
fi

# At exit, kill the program and release every helper that waits for a file.
ANTES_DE_SALIR='[ -f "$TMP/pid" ] && kill -9 "$(cat "$TMP/pid")" 2>/dev/null;
    touch "$TMP/colgar" "$TMP/colgar2" "$TMP/colgar3" "$TMP/conectar" "$TMP/conectar2" "$TMP/conectar3"'
ajustes "$TMP/home" 01/10/1999 30/11/1999 Normal "No Cambiar" 1 15
# The clock starts 15 s before 03:00 summer time, when it turns back to 02:00.
echo "$(( $(date -u -d '1999-10-31 00:59:45' +%s) - $(date +%s) ))" >"$TMP/reloj"

cat >"$TMP/retener.py" <<'PY'
import fcntl, os, struct, sys, time
fd = os.open("/dev/net/tun", os.O_RDWR)
fcntl.ioctl(fd, 0x400454ca, struct.pack("16sH", b"ppp0", 0x0001 | 0x1000))
while not os.path.exists(sys.argv[1]) and os.path.isdir(os.path.dirname(sys.argv[1])):
    time.sleep(0.05)
PY
cat >"$TMP/dentro.sh" <<'SH'
if [ -n "${LLENAR:-}" ]; then
    mount -t tmpfs -o size=16k none "$LLENAR" || exit 1
    head -c 1M /dev/zero >"$LLENAR/relleno" 2>/dev/null
fi
ip tuntap add dev ppp0 mode tun && ip link set ppp0 up || exit 1
"$@" >"$DIR/vatrimox.log" 2>&1 &
V=$!
echo $V >"$DIR/pid"
for fase in ${FASES:-"" 2}; do
    while [ ! -f "$DIR/conectar$fase" ]; do sleep 0.05; done
    python3 "$DIR/retener.py" "$DIR/colgar$fase" &
done
wait $V
echo $? >"$DIR/rc"
SH
DIR="$TMP" unshare -rn sh "$TMP/dentro.sh" env LD_PRELOAD="$LIBFT" \
    FAKETIME_TIMESTAMP_FILE="$TMP/reloj" FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    VATRIMOX_HOME="$TMP/home" XDG_RUNTIME_DIR="$TMP/runtime" TZ=Europe/Madrid \
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen "$BIN" &

DATOS="$TMP/home/.local/share/VatriMox"
lineas() { [ -f "$DATOS/llamadas.ldx" ] && grep -c . "$DATOS/llamadas.ldx" || echo 0; }

touch "$TMP/conectar"
esperar 40 test -s "$DATOS/llamada_en_curso.ldx" || fallo "ppp0 up did not start a call"
T0=$(date +%s)
# The wall clock moves on 20 s, across 03:00, which turns back to 02:00, then jumps 2 h back;
# only the time that really passes may count.
sleep 1
echo "$(( $(cat "$TMP/reloj") + 20 ))" >"$TMP/reloj"
sleep 1
echo "$(( $(cat "$TMP/reloj") - 7200 ))" >"$TMP/reloj"
sleep 1
T1=$(date +%s)
touch "$TMP/colgar"
esperar 30 test -s "$DATOS/llamadas.ldx" || fallo "ppp0 down did not log the call"
# Duration field #00:00:SS#: the seconds that passed plus the 20 negotiation seconds.
DUR=$(sed -n '1s/^[^,]*,[^,]*,#00:00:\([0-9][0-9]\)#.*/\1/p' "$DATOS/llamadas.ldx" | sed 's/^0//')
ESPERADO=$((T1 - T0 + 20))
if [ -z "$DUR" ] || [ "$DUR" -lt $((ESPERADO - 2)) ] || [ "$DUR" -gt $((ESPERADO + 2)) ]; then
    fallo "call across the clock changes logged as ${DUR:-nothing} s, ${ESPERADO} s passed"
fi

touch "$TMP/conectar2"
esperar 40 test -f "$DATOS/llamada_en_curso.ldx" || fallo "second call did not start"
sleep 1
kill -TERM "$(cat "$TMP/pid")"
esperar 50 test -f "$TMP/rc" || fallo "SIGTERM did not end the program"
[ "$(cat "$TMP/rc")" = 0 ] || fallo "the program ended with status $(cat "$TMP/rc") on SIGTERM"
[ "$(lineas)" = 2 ] || fallo "SIGTERM in mid-call left $(lineas) calls in the log, not 2"
[ ! -e "$DATOS/llamada_en_curso.ldx" ] || fallo "the journal outlived a clean SIGTERM"
echo "clock changes: $DUR s logged for $ESPERADO s; SIGTERM: call logged once"

if ! unshare -rm sh -c 'mount -t tmpfs none "$1"' sh "$TMP/runtime" >/dev/null 2>&1; then
    echo "SKIP: no mount namespace for a full disk"
    exit 0
fi
rm -f "$TMP/rc" "$TMP/conectar3" "$TMP/colgar3"
RESERVA="$TMP/home/.config/VatriMox/llamada_en_curso.ldx"
DIR="$TMP" LLENAR="$DATOS" FASES=3 unshare -rnm sh "$TMP/dentro.sh" env LD_PRELOAD="$LIBFT" \
    FAKETIME_TIMESTAMP_FILE="$TMP/reloj" FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    VATRIMOX_HOME="$TMP/home" XDG_RUNTIME_DIR="$TMP/runtime" TZ=Europe/Madrid \
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen "$BIN" &
touch "$TMP/conectar3"
esperar 40 test -s "$RESERVA" || fallo "with a full disk the running call went to no reserve journal"
sleep 1
touch "$TMP/colgar3"
sleep 1
kill -TERM "$(cat "$TMP/pid")"
esperar 50 test -f "$TMP/rc" || fallo "SIGTERM did not end the program with a full disk"
[ "$(grep -c . "$RESERVA")" = 1 ] || fallo "the reserve journal does not hold the call"
# Space again: the next start logs the call once and removes the reserve journal.
LD_PRELOAD="$LIBFT" FAKETIME_TIMESTAMP_FILE="$TMP/reloj" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    VATRIMOX_HOME="$TMP/home" XDG_RUNTIME_DIR="$TMP/runtime" TZ=Europe/Madrid LC_ALL=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen "$BIN" >>"$TMP/vatrimox.log" 2>&1 &
V=$!
echo $V >"$TMP/pid"

i=0
until [ "$(lineas)" = 3 ] && [ ! -e "$RESERVA" ]; do
    i=$((i + 1)); [ $i -gt 50 ] && { kill $V; fallo "the reserved call was not logged at start"; }
    sleep 0.1
done
kill -TERM $V
wait $V || fallo "the program ended with status $? on SIGTERM"
[ "$(lineas)" = 3 ] || fallo "the reserved call was logged $(($(lineas) - 2)) times"
echo "full disk: call kept in the reserve journal and logged once at the next start"

#!/bin/sh
# Runs VatriMox under Xvfb with a tray host and a fixed clock, starts a call with a real click
# and takes the main-window screenshots main-idle.png and main-call.png into the given folder;
# then, where a network namespace can be made, lets a fake ppp0 start and end a call.
# Usage: capturas.sh <vatrimox binary> <output folder>
set -u
BIN=$1
SALIDA=$2

for herramienta in Xvfb wmdocker faketime import xwininfo python3; do
    if ! command -v "$herramienta" >/dev/null 2>&1; then
        echo "SKIP: $herramienta is not installed; no screenshots taken"
        exit 0
    fi
done
if ! python3 -c 'import ctypes.util, sys; sys.exit(0 if ctypes.util.find_library("Xtst") else 1)'; then
    echo "SKIP: libXtst is not installed; no screenshots taken"
    exit 0
fi

TMP=$(mktemp -d)
PIDS=""
terminar() {
    for p in $PIDS; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$TMP"
}
trap terminar EXIT INT TERM

# Xvfb picks a free display itself: other checks may run their own at the same time.
Xvfb -displayfd 3 -screen 0 640x400x24 -nolisten tcp 3>"$TMP/pantalla" >"$TMP/xvfb.log" 2>&1 &
PIDS="$!"
i=0
until [ -s "$TMP/pantalla" ] && DISPLAY=":$(cat "$TMP/pantalla")" xwininfo -root >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -gt 50 ] && { echo "FAIL: Xvfb did not start"; exit 1; }
    sleep 0.1
done
export DISPLAY=":$(cat "$TMP/pantalla")"
wmdocker >"$TMP/wmdocker.log" 2>&1 &
PIDS="$PIDS $!"

mkdir -p "$TMP/home/.config/VatriMox" "$TMP/runtime" "$SALIDA"
chmod 700 "$TMP/runtime"
cat >"$TMP/home/.config/VatriMox/VatriMox.ini" <<'INI'
[Datos]
FechaInicio=01/03/1999
FechaFinal=30/04/1999

[Opciones]
AlAbrir=Normal
AlConectar=No Cambiar
AutoSINO=0
IVA=0
CuantoIVA=16
Negociacion=20
NoAceptar=15

[Tarifas]
Tarifa=Metropolitana
INI

FAKETIME_DONT_FAKE_MONOTONIC=1 VATRIMOX_HOME="$TMP/home" XDG_RUNTIME_DIR="$TMP/runtime" \
    TZ=Europe/Madrid LC_ALL=es_ES.UTF-8 LANG=es_ES.UTF-8 QT_QPA_PLATFORM=xcb \
    faketime -f '@1999-03-15 10:00:00' "$BIN" >"$TMP/vatrimox.log" 2>&1 &
PIDS_VATRIMOX=$!
PIDS="$PIDS $!"

VENTANA=""
i=0
while [ -z "$VENTANA" ]; do
    i=$((i + 1)); [ $i -gt 100 ] && { echo "FAIL: no VatriMox window"; cat "$TMP/vatrimox.log"; exit 1; }
    sleep 0.1
    VENTANA=$(xwininfo -name "VatriMox 4.288" 2>/dev/null | awk '/Window id:/ {print $4}')
done
X=$(xwininfo -id "$VENTANA" | awk '/Absolute upper-left X:/ {print $4}')
Y=$(xwininfo -id "$VENTANA" | awk '/Absolute upper-left Y:/ {print $4}')
sleep 1.5
import -window "$VENTANA" "$SALIDA/main-idle.png" || { echo "FAIL: screenshot"; exit 1; }

# Press "Iniciar" (Command1) with a synthetic click.
python3 - "$((X + 140))" "$((Y + 164))" <<'PY'
import ctypes, ctypes.util, sys, time
x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst"))
x11.XOpenDisplay.restype = ctypes.c_void_p
d = ctypes.c_void_p(x11.XOpenDisplay(None))
xtst.XTestFakeMotionEvent(d, -1, int(sys.argv[1]), int(sys.argv[2]), 0)
x11.XFlush(d)
time.sleep(0.2)
xtst.XTestFakeButtonEvent(d, 1, 1, 0)
xtst.XTestFakeButtonEvent(d, 1, 0, 0)
x11.XFlush(d)
x11.XCloseDisplay(d)
PY
sleep 3.2
import -window "$VENTANA" "$SALIDA/main-call.png" || { echo "FAIL: screenshot"; exit 1; }

if [ ! -s "$TMP/home/.local/share/VatriMox/llamada_en_curso.ldx" ]; then
    echo "FAIL: the click did not start a call"
    cat "$TMP/vatrimox.log"
    exit 1
fi
echo "screenshots in $SALIDA"
kill $PIDS_VATRIMOX 2>/dev/null

# Automatic detection: a tun device named ppp0 is RUNNING only while a process holds it.
if ! unshare -rn sh -c 'ip tuntap add dev ppp0 mode tun' >/dev/null 2>&1; then
    echo "SKIP: no network namespace for a fake ppp0; detection not checked"
    exit 0
fi
DET="$TMP/det"
mkdir -p "$DET/home/.config/VatriMox"
sed 's/^AutoSINO=0/AutoSINO=1/' "$TMP/home/.config/VatriMox/VatriMox.ini" \
    >"$DET/home/.config/VatriMox/VatriMox.ini"
cat >"$DET/retener.py" <<'PY'
import fcntl, os, struct, sys, time
fd = os.open("/dev/net/tun", os.O_RDWR)
fcntl.ioctl(fd, 0x400454ca, struct.pack("16sH", b"ppp0", 0x0001 | 0x1000))
while not os.path.exists(sys.argv[1]):
    time.sleep(0.05)
PY
cat >"$DET/dentro.sh" <<'SH'
ip tuntap add dev ppp0 mode tun && ip link set ppp0 up || exit 1
"$@" >"$DET/vatrimox.log" 2>&1 &
V=$!
while [ ! -f "$DET/conectar" ]; do sleep 0.05; done
python3 "$DET/retener.py" "$DET/colgar"
while [ ! -f "$DET/fin" ]; do sleep 0.05; done
kill $V
SH
DET="$DET" FAKETIME_DONT_FAKE_MONOTONIC=1 VATRIMOX_HOME="$DET/home" XDG_RUNTIME_DIR="$TMP/runtime" \
    TZ=Europe/Madrid QT_QPA_PLATFORM=xcb \
    unshare -rn sh "$DET/dentro.sh" env LC_ALL=es_ES.UTF-8 faketime -f '@1999-03-15 10:00:00' "$BIN" &
PIDS="$PIDS $!"
LOG="$DET/home/.local/share/VatriMox/llamadas.ldx"
esperar() { # file, test, seconds*10
    i=0
    until [ "$2" "$1" ]; do
        i=$((i + 1)); [ $i -gt "$3" ] && return 1
        sleep 0.1
    done
}
sleep 2
touch "$DET/conectar"
esperar "$DET/home/.local/share/VatriMox/llamada_en_curso.ldx" -s 40 ||
    { echo "FAIL: ppp0 up did not start a call"; cat "$DET/vatrimox.log"; exit 1; }
sleep 1
touch "$DET/colgar"
esperar "$LOG" -s 30 || { echo "FAIL: ppp0 down did not log the call"; cat "$DET/vatrimox.log"; exit 1; }
touch "$DET/fin"
echo "call detected and logged: $(cat "$LOG")"

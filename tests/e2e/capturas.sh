#!/bin/sh
# Runs VatriMox under Xvfb with a tray host and a fixed clock, starts a call with a real click
# and takes the main-window screenshots main-idle.png and main-call.png into the given folder.
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

PANTALLA=":$((90 + $$ % 100))"
Xvfb "$PANTALLA" -screen 0 640x400x24 -nolisten tcp >"$TMP/xvfb.log" 2>&1 &
PIDS="$!"
export DISPLAY="$PANTALLA"
i=0
until xwininfo -root >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -gt 50 ] && { echo "FAIL: Xvfb did not start"; exit 1; }
    sleep 0.1
done
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

#!/bin/sh
# Runs VatriMox under Xvfb with a tray host and a fixed clock, starts a call with a real click
# and takes the main-window screenshots main-idle.png and main-call.png into the given folder;
# then, where a network namespace can be made, lets a fake ppp0 start and end a call.
# Usage: capturas.sh <vatrimox binary> <output folder>
set -u
BIN=$1
SALIDA=$2

. "$(dirname "$0")/comun.sh"
requerir Xvfb wmdocker faketime import xwininfo python3
requerir_xtst
iniciar_xvfb
wmdocker >"$TMP/wmdocker.log" 2>&1 &
PIDS="$PIDS $!"

mkdir -p "$SALIDA"
ajustes "$TMP/home" 01/03/1999 30/04/1999 Normal "No Cambiar" 0 15

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
touch "$DET/conectar"
esperar 40 test -s "$DET/home/.local/share/VatriMox/llamada_en_curso.ldx" ||
    fallo "ppp0 up did not start a call"
sleep 1
touch "$DET/colgar"
esperar 30 test -s "$LOG" || fallo "ppp0 down did not log the call"
touch "$DET/fin"
echo "call detected and logged: $(cat "$LOG")"

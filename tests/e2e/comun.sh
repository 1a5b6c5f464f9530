# Shared by the end-to-end checks, sourced with `. comun.sh`: tool checks, a scratch folder that
# goes with every process started on exit, waits with a deadline, a private Xvfb, the program
# in a test home, and a fake ppp0.

# requerir <tool>...: `make deps` installs them all, so a missing one is a failure, not a skip.
requerir() {
    for herramienta in "$@"; do
        command -v "$herramienta" >/dev/null 2>&1 ||
            { echo "FAIL: $herramienta is not installed (make deps installs it)"; exit 1; }
    done
}

TMP=$(mktemp -d)
PIDS=""
# On exit: "fin" releases every helper that waits for a file, then the processes go.
terminar() {
    touch "$TMP/fin"
    [ -f "$TMP/pid" ] && kill -9 "$(cat "$TMP/pid")" 2>/dev/null
    for p in $PIDS; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$TMP"
}
trap terminar EXIT INT TERM
mkdir -p "$TMP/runtime"
chmod 700 "$TMP/runtime"
fallo() {
    echo "FAIL: $1"
    for l in "$TMP"/*.log "$TMP"/*/*.log; do [ -f "$l" ] && { echo "--- $l"; cat "$l"; }; done
    exit 1
}

# esperar <tenths of a second> <command>...: waits for the command to succeed.
esperar() {
    n=$1; shift
    until "$@"; do
        n=$((n - 1)); [ $n -lt 0 ] && return 1
        sleep 0.1
    done
}
# otro_tick <journal>: waits until the running call's journal is written again, a second on.
otro_tick() {
    esperar 30 sh -c '[ "$(cat "$1" 2>/dev/null)" != "$2" ]' sh "$1" "$(cat "$1" 2>/dev/null)"
}
# sin_ticks <journal>: succeeds once no tick wrote the journal for longer than a second.
sin_ticks() {
    antes=$(cat "$1" 2>/dev/null)
    sleep 1.3
    [ "$(cat "$1" 2>/dev/null)" = "$antes" ]
}

# vatrimox <home> [launcher...]: the program in that home, through the launcher; QPA and
# IDIOMA choose the platform (xcb) and the locale (C.UTF-8).
vatrimox() {
    home=$1; shift
    "$@" env VATRIMOX_HOME="$home" XDG_RUNTIME_DIR="$TMP/runtime" TZ=Europe/Madrid \
        QT_QPA_PLATFORM="${QPA:-xcb}" LC_ALL="${IDIOMA:-C.UTF-8}" LANG="${IDIOMA:-C.UTF-8}" "$BIN"
}
# ajustes <home> <FechaInicio> <FechaFinal> <AlAbrir> <AlConectar> <AutoSINO> <NoAceptar>
ajustes() {
    mkdir -p "$1/.config/VatriMox"
    printf '%s\n' "[Datos]" "FechaInicio=$2" "FechaFinal=$3" "[Opciones]" "AlAbrir=$4" \
        "AlConectar=$5" "AutoSINO=$6" "IVA=0" "CuantoIVA=16" "Negociacion=20" "NoAceptar=$7" \
        "[Tarifas]" "Tarifa=Metropolitana" >"$1/.config/VatriMox/VatriMox.ini"
}

# Xvfb picks a free display itself: other checks may run their own at the same time. It must
# not reset when its last client leaves, or a program started right after a check is refused.
iniciar_xvfb() {
    requerir Xvfb xwininfo xdotool
    Xvfb -displayfd 3 -screen 0 640x400x24 -nolisten tcp -noreset 3>"$TMP/pantalla" >"$TMP/xvfb.log" 2>&1 &
    PIDS="$PIDS $!"
    esperar 50 test -s "$TMP/pantalla" || fallo "Xvfb did not start"
    export DISPLAY=":$(cat "$TMP/pantalla")"
    esperar 50 xwininfo -root >/dev/null 2>&1 || fallo "Xvfb did not answer"
}
ventana() {
    xwininfo -name "VatriMox 4.288" 2>/dev/null | awk '/Window id:/ {print $4; f = 1} END {exit !f}'
}
visible() {
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable
}
# clic <window> <x> <y> [n]: n clicks (a double click with 2) inside the window, through XTest
clic() {
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click --repeat "${4:-1}" --delay 50 1
}

# A fake ppp0: a tun device in a private network namespace is RUNNING only while a process
# holds it. `con_ppp0 <command>...` runs the command there (with LLENAR set, first on a full
# 16 KiB tmpfs over that folder); each of FASES ("" by default) waits for "conectar<fase>",
# then holds ppp0 until "colgar<fase>". The command's pid goes to pid, its status to rc.
requerir_ppp0() {
    requerir unshare ip python3
    unshare -rn sh -c 'ip tuntap add dev ppp0 mode tun' >/dev/null 2>&1 ||
        { echo "SKIP: no network namespace for a fake ppp0"; exit 77; }
}
cat >"$TMP/retener.py" <<'PY'
import fcntl, os, struct, sys, time
fd = os.open("/dev/net/tun", os.O_RDWR)
fcntl.ioctl(fd, 0x400454ca, struct.pack("16sH", b"ppp0", 0x0001 | 0x1000))
# Lets go when told, or when the scratch folder is gone with the script.
while not any(os.path.exists(a) for a in sys.argv[1:]) and os.path.isdir(os.path.dirname(sys.argv[1])):
    time.sleep(0.05)
PY
cat >"$TMP/dentro.sh" <<'SH'
if [ -n "${LLENAR:-}" ]; then
    mount -t tmpfs -o size=16k none "$LLENAR" || exit 1
    head -c 1M /dev/zero >"$LLENAR/relleno" 2>/dev/null
fi
ip tuntap add dev ppp0 mode tun && ip link set ppp0 up || exit 1
"$@" >>"$DIR/vatrimox.log" 2>&1 &
V=$!
echo $V >"$DIR/pid"
for fase in ${FASES:-""}; do
    while [ ! -f "$DIR/conectar$fase" ] && [ ! -f "$DIR/fin" ]; do sleep 0.05; done
    python3 "$DIR/retener.py" "$DIR/colgar$fase" "$DIR/fin" >/dev/null 2>&1 &
done
wait $V
echo $? >"$DIR/rc"
SH
con_ppp0() {
    rm -f "$TMP/rc" "$TMP/pid"
    DIR="$TMP" LLENAR="${LLENAR:-}" FASES="${FASES:-}" unshare -rn${LLENAR:+m} sh "$TMP/dentro.sh" "$@" &
    PIDS="$PIDS $!"
    esperar 50 test -s "$TMP/pid" || fallo "the program did not start beside a fake ppp0"
}

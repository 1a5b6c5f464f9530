# Shared by the end-to-end checks, sourced with `. comun.sh`: tool checks, a scratch folder that
# goes with every process started on exit, waits with a deadline, a private Xvfb and the
# settings file of a test home.

# requerir <tool>...: `make deps` installs them all, so a missing one is a failure, not a skip.
requerir() {
    for herramienta in "$@"; do
        if ! command -v "$herramienta" >/dev/null 2>&1; then
            echo "FAIL: $herramienta is not installed (make deps installs it)"
            exit 1
        fi
    done
}
requerir_xtst() {
    python3 -c 'import ctypes.util, sys; sys.exit(0 if ctypes.util.find_library("Xtst") else 1)' ||
        { echo "FAIL: libXtst is not installed (make deps installs it)"; exit 1; }
}

TMP=$(mktemp -d)
PIDS=""
# A script may set ANTES_DE_SALIR to a command that releases what its processes wait for.
terminar() {
    [ -n "${ANTES_DE_SALIR:-}" ] && eval "$ANTES_DE_SALIR"
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
    i=0
    until "$@"; do
        i=$((i + 1)); [ $i -gt "$n" ] && return 1
        sleep 0.1
    done
}

# Xvfb picks a free display itself: other checks may run their own at the same time.
iniciar_xvfb() {
    Xvfb -displayfd 3 -screen 0 640x400x24 -nolisten tcp 3>"$TMP/pantalla" >"$TMP/xvfb.log" 2>&1 &
    PIDS="$PIDS $!"
    esperar 50 test -s "$TMP/pantalla" || fallo "Xvfb did not start"
    export DISPLAY=":$(cat "$TMP/pantalla")"
    esperar 50 xwininfo -root >/dev/null 2>&1 || fallo "Xvfb did not answer"
}

# ajustes <home> <FechaInicio> <FechaFinal> <AlAbrir> <AlConectar> <AutoSINO> <NoAceptar>
ajustes() {
    mkdir -p "$1/.config/VatriMox"
    cat >"$1/.config/VatriMox/VatriMox.ini" <<INI
[Datos]
FechaInicio=$2
FechaFinal=$3

[Opciones]
AlAbrir=$4
AlConectar=$5
AutoSINO=$6
IVA=0
CuantoIVA=16
Negociacion=20
NoAceptar=$7

[Tarifas]
Tarifa=Metropolitana
INI
}

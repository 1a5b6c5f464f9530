#!/bin/sh
# Runs every "$ vatrimox ..." example of the README's command-line section and compares what it
# prints with the lines the README shows under it, so the two cannot drift apart.
# Usage: readme.sh <vatrimox binary> <source folder>
set -u
BIN=$1
RAIZ=$2
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$TMP/casa/.config/VatriMox/tarifas" "$TMP/aqui"
# The examples run in a folder that sees the sources' docs/ and tests/, and the damaged log of
# the exit-status example, whose line 2 has an amount that is not one.
ln -s "$RAIZ/docs" "$RAIZ/tests" "$TMP/aqui/"
printf '#1999-03-15#,#10:00:00#,#00:01:00#,60,11.4,"Metropolitana"\r\n#1999-03-15#,#11:00:00#,#00:01:00#,60,1x,"Metropolitana"\r\n' >"$TMP/aqui/roto.ldx"
# Each example becomes a command file and an expected-output file, in README order.
awk -v dir="$TMP" '
    /^ *```/ { dentro = !dentro; next }
    dentro && /^ *\$ / { n++; en = 1; sub(/^ *\$ /, ""); print > (dir "/orden" n); printf "" > (dir "/esperado" n); next }
    dentro && en { sub(/^  /, ""); print >> (dir "/esperado" n) }
    !dentro { en = 0 }
' "$RAIZ/README.md"
fallos=0
total=0
for orden in "$TMP"/orden*; do
    n=${orden#"$TMP/orden"}
    total=$((total + 1))
    (cd "$TMP/aqui" && HOME="$TMP/casa" VATRIMOX_HOME="$TMP/casa" LC_ALL=es_ES.UTF-8 \
        LANG=es_ES.UTF-8 TZ=Europe/Madrid PATH="$(dirname "$BIN"):$PATH" sh "$orden" \
        >"$TMP/salida$n" 2>&1)
    if ! cmp -s "$TMP/salida$n" "$TMP/esperado$n"; then
        echo "FAIL: \$ $(cat "$orden")"
        diff "$TMP/esperado$n" "$TMP/salida$n"
        fallos=$((fallos + 1))
    fi
done
[ "$total" -gt 0 ] || { echo "FAIL: no example found in the README"; exit 1; }
echo "README: $total examples, $fallos differ"
[ "$fallos" = 0 ]

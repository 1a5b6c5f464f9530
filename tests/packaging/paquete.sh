#!/bin/sh
# Builds the .deb with CPack, unpacks it and checks that every file sits where the desktop,
# icon, AppStream and manual standards put it and that the binary is hardened; runs the
# validators, lintian and the packaged binary with --version.
# Usage: paquete.sh <cpack> <build folder> <version>
set -u
CPACK=$1
BUILD=$2
VERSION=$3

. "$(dirname "$0")/../e2e/comun.sh"
requerir "$CPACK" dpkg-deb dpkg readelf desktop-file-validate appstreamcli lintian

"$CPACK" -G DEB --config "$BUILD/CPackConfig.cmake" -B "$TMP/cpack" >"$TMP/cpack.log" 2>&1 ||
    fallo "cpack did not build the package"
DEB="$TMP/cpack/vatrimox_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || fallo "no $(basename "$DEB") in $(ls "$TMP/cpack")"

RAIZ="$TMP/raiz"
dpkg-deb -x "$DEB" "$RAIZ" || fallo "dpkg-deb -x"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for paquete in qt6-translations-l10n libqt6widgets6 libc6; do
    case "$DEPENDS" in *"$paquete"*) ;; *) fallo "Depends lacks $paquete: $DEPENDS" ;; esac
done

[ -x "$RAIZ/usr/bin/vatrimox" ] || fallo "usr/bin/vatrimox missing or not executable"
ESCRITORIO="$RAIZ/usr/share/applications/vatrimox.desktop"
METAINFO="$RAIZ/usr/share/metainfo/org.example.vatrimox.metainfo.xml"
for archivo in "$ESCRITORIO" "$METAINFO" \
    "$RAIZ/usr/share/icons/hicolor/scalable/apps/vatrimox.svg" \
    "$RAIZ/usr/share/man/man1/vatrimox.1.gz" "$RAIZ/usr/share/man/es/man1/vatrimox.1.gz" \
    "$RAIZ/usr/share/doc/vatrimox/copyright" "$RAIZ/usr/share/doc/vatrimox/changelog.gz" \
    "$RAIZ/usr/share/doc/vatrimox/README.md"; do
    [ -s "$archivo" ] || fallo "${archivo#"$RAIZ"/} missing"
done
[ "$(ls "$RAIZ"/usr/share/icons/hicolor/*x*/apps/vatrimox.png | wc -l)" = 8 ] || fallo "not 8 PNG icons"
# The menu entry names the packaged icon; the metainfo names the menu entry. lintian checks
# that Exec names a packaged program, that each icon is the size its folder says, RELRO, bind
# now and fortified calls.
grep -qx 'Icon=vatrimox' "$ESCRITORIO" || fallo "desktop entry Icon is not vatrimox"
grep -q '<launchable type="desktop-id">vatrimox.desktop</launchable>' "$METAINFO" ||
    fallo "metainfo does not launch vatrimox.desktop"
grep -q "<release version=\"$VERSION\"" "$METAINFO" || fallo "metainfo has no release $VERSION"
for pagina in man1 es/man1; do
    zcat "$RAIZ/usr/share/man/$pagina/vatrimox.1.gz" | grep -q "^\\.TH VATRIMOX 1 .*VatriMox $VERSION" ||
        fallo "$pagina manual page header without version $VERSION"
done
zcat "$RAIZ/usr/share/man/man1/vatrimox.1.gz" | grep -q 'User Commands' || fallo "man1 page not English"
zcat "$RAIZ/usr/share/doc/vatrimox/changelog.gz" | grep -q "^vatrimox ($VERSION)" ||
    fallo "changelog without version $VERSION"

# Hardening lintian does not check: stack-protected calls, no .comment.
BINARIO="$RAIZ/usr/bin/vatrimox"
readelf -sW --dyn-syms "$BINARIO" | grep -q '__stack_chk_fail' || fallo "binary without stack protector"
readelf -SW "$BINARIO" | grep -q '\.comment' && fallo "binary keeps a .comment section"

desktop-file-validate "$ESCRITORIO" || fallo "desktop-file-validate"
appstreamcli validate --no-net "$METAINFO" >"$TMP/appstream.log" 2>&1 || fallo "appstreamcli validate"
lintian --fail-on error --display-info "$DEB" >"$TMP/lintian.log" 2>&1 || fallo "lintian reports errors"
grep -q '^[EWI]: ' "$TMP/lintian.log" && fallo "lintian reports tags"

# --version needs no display: run with none at all, so a program that opened a window fails.
sin_pantalla() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM VATRIMOX_HOME="$TMP/home" \
        timeout 20 "$RAIZ/usr/bin/vatrimox" "$@" 2>"$TMP/stderr.log"
}
ulimit -c 0
salida=$(sin_pantalla --version) || fallo "vatrimox --version exited with $?"
[ "$salida" = "VatriMox $VERSION" ] || fallo "vatrimox --version printed '$salida'"
echo "OK: $(basename "$DEB")"

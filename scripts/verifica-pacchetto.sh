#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks it as a player would get it:
# lintian finds no error and no warning in it, the desktop entry, the metadata and the
# manual pages pass their checkers, the package holds exactly the expected files (the
# icons drawn at every size) and depends on the libraries it links and on the
# soundfont, its executable, extracted into a temporary folder, starts, and its
# thumbnailer draws the demo combination's preview without a display.
# Usage: scripts/verifica-pacchetto.sh BUILD_DIR   (after the build folder is built)
set -euo pipefail

build=$(realpath "${1:?usage: $0 BUILD_DIR}")
fallito() {
  echo "verifica-pacchetto: $*" >&2
  exit 1
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

metainfo=("$build"/data/*.metainfo.xml)
[[ -f ${metainfo[0]} ]] || fallito "no metadata in $build/data: is the build folder configured?"
id=$(basename "${metainfo[0]}" .metainfo.xml)
versione=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)

# The package, made afresh from the build folder's install.
rm -f "$build"/skarvex_*.deb
(cd "$build" && cpack -G DEB >"$tmp/cpack.log" 2>&1) || {
  cat "$tmp/cpack.log" >&2
  fallito "cpack failed"
}
deb="$build/skarvex_${versione}_${arch}.deb"
[[ -f $deb ]] || fallito "cpack made no $deb"

# Exactly these paths, directories included: anything more or less is a mistake.
documento=application-x-skarvex-combination
replica=application-x-skarvex-replay
lati=(16 32 48 64 128 256)
cat >"$tmp/attesi" <<ELENCO
./usr/
./usr/games/
./usr/games/skarvex
./usr/games/skarvex-comb
./usr/libexec/
./usr/libexec/skarvex/
./usr/libexec/skarvex/skarvex-decodifica
./usr/share/
./usr/share/applications/
./usr/share/applications/$id.desktop
./usr/share/doc/
./usr/share/doc/skarvex/
./usr/share/doc/skarvex/changelog.gz
./usr/share/doc/skarvex/copyright
./usr/share/icons/
./usr/share/icons/hicolor/
./usr/share/icons/hicolor/scalable/
./usr/share/icons/hicolor/scalable/apps/
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/icons/hicolor/scalable/mimetypes/
./usr/share/icons/hicolor/scalable/mimetypes/$documento.svg
./usr/share/icons/hicolor/scalable/mimetypes/$replica.svg
$(for l in "${lati[@]}"; do
  printf './usr/share/icons/hicolor/%sx%s/\n' "$l" "$l"
  printf './usr/share/icons/hicolor/%sx%s/apps/\n' "$l" "$l"
  printf './usr/share/icons/hicolor/%sx%s/mimetypes/\n' "$l" "$l"
  printf './usr/share/icons/hicolor/%sx%s/apps/%s.png\n' "$l" "$l" "$id"
  printf './usr/share/icons/hicolor/%sx%s/mimetypes/%s.png\n' "$l" "$l" "$documento"
  printf './usr/share/icons/hicolor/%sx%s/mimetypes/%s.png\n' "$l" "$l" "$replica"
done)
./usr/share/man/
./usr/share/man/man6/
./usr/share/man/man6/skarvex-comb.6.gz
./usr/share/man/man6/skarvex.6.gz
./usr/share/metainfo/
./usr/share/metainfo/$id.metainfo.xml
./usr/share/mime/
./usr/share/mime/packages/
./usr/share/mime/packages/$id.xml
./usr/share/thumbnailers/
./usr/share/thumbnailers/$id.thumbnailer
ELENCO
dpkg-deb -c "$deb" | awk '{print $6}' | LC_ALL=C sort >"$tmp/trovati"
LC_ALL=C sort -o "$tmp/attesi" "$tmp/attesi"
diff -u "$tmp/attesi" "$tmp/trovati" >&2 || fallito "the package's files differ from the expected list"

dipendenze=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $dipendenze"
for d in libqt6widgets6 libqt6svg6 libsdl2-mixer timgm6mb-soundfont qt6-qpa-plugins fonts-dejavu-core \
  qt6-translations-l10n; do
  [[ $dipendenze == *"$d"* ]] || fallito "the package does not depend on $d"
done

# Debian's own checker: no error and no warning. The pedantic and informational tags it
# may also show are each accepted here with the reason, and any other fails the check.
declare -A accettati=(
)
lintian --info --pedantic --display-experimental "$deb" >"$tmp/lintian" 2>&1 || true
while read -r livello _ tag resto; do
  case $livello in
  E: | W:) fallito "lintian: $livello $tag $resto" ;;
  I: | P: | X:)
    [[ -n ${accettati[$tag]:-} ]] || fallito "lintian: $livello $tag $resto (not among the accepted tags)"
    ;;
  esac
done <"$tmp/lintian"
echo "lintian: $(grep -c '^[IPX]: ' "$tmp/lintian" || true) accepted notes, no error or warning"

radice="$tmp/radice"
dpkg-deb -x "$deb" "$radice"
usr="$radice/usr"

# What the desktop and the software centres read, as shipped.
# Debian 12's desktop-file-validate (0.26) is older than the SingleMainWindow key of
# desktop entries and calls it an unknown one: that one key is not held against the entry.
desktop-file-validate "$usr/share/applications/$id.desktop" 2>&1 |
  grep -vF 'contains key "SingleMainWindow" in group "Desktop Entry", but keys extending the format should start with "X-"' >"$tmp/desktop" || true
[[ ! -s $tmp/desktop ]] || {
  cat "$tmp/desktop" >&2
  fallito "desktop-file-validate found problems"
}
appstreamcli validate --no-net --strict "$usr/share/metainfo/$id.metainfo.xml" >"$tmp/appstream" 2>&1 || {
  cat "$tmp/appstream" >&2
  fallito "appstreamcli validate found problems"
}
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$usr/share/metainfo/$id.metainfo.xml" ||
  fallito "the metadata does not name the licence GPL-3.0-or-later"
grep -q '^License: GPL-3.0+$' "$usr/share/doc/skarvex/copyright" ||
  fallito "the copyright file does not name the licence"
# Only the placeholder domain: no address the project does not own.
if dpkg-deb -f "$deb" | grep -qE 'skarvex\.(org|com|net)' || grep -rIqE 'skarvex\.(org|com|net)' "$radice"; then
  fallito "the package names a domain the project does not own"
fi
# The game opens the combination and replay files the file manager hands it, all of them
# in one process, and desktops know it has one main window.
for chiave in 'Exec=skarvex %F' 'MimeType=application/x-skarvex-combination;application/x-skarvex-replay;' \
  'SingleMainWindow=true'; do
  grep -qxF "$chiave" "$usr/share/applications/$id.desktop" || fallito "the desktop entry lacks $chiave"
done
# The combination and replay types: well formed, and found for a .skcom and a .skrep
# file once the desktop's database is built from it.
xmllint --noout "$usr/share/mime/packages/$id.xml" || fallito "the MIME definition is not well formed"
mkdir -p "$tmp/mime/packages"
cp "$usr/share/mime/packages/$id.xml" "$tmp/mime/packages/"
update-mime-database "$tmp/mime" >"$tmp/mime.log" 2>&1 || {
  cat "$tmp/mime.log" >&2
  fallito "update-mime-database refused the MIME definition"
}
grep -qx '50:application/x-skarvex-combination:\*\.skcom' "$tmp/mime/globs2" ||
  fallito "the MIME database does not give .skcom files their type"
grep -qx '50:application/x-skarvex-replay:\*\.skrep' "$tmp/mime/globs2" ||
  fallito "the MIME database does not give .skrep files their type"
# The previews: the file managers' thumbnailer for that type, run as they run it.
miniatura="$usr/share/thumbnailers/$id.thumbnailer"
[[ $(head -n1 "$miniatura") == '[Thumbnailer Entry]' ]] || fallito "$miniatura has no [Thumbnailer Entry]"
for chiave in 'TryExec=skarvex-comb' 'Exec=skarvex-comb thumbnail %i %o %s' \
  'MimeType=application/x-skarvex-combination;'; do
  grep -qxF "$chiave" "$miniatura" || fallito "$miniatura lacks $chiave"
done
# Every icon drawn at its size, with something on it.
for l in "${lati[@]}"; do
  for png in "$usr/share/icons/hicolor/${l}x$l/apps/$id.png" "$usr/share/icons/hicolor/${l}x$l/mimetypes/$documento.png" \
    "$usr/share/icons/hicolor/${l}x$l/mimetypes/$replica.png"; do
    [[ $(file -b "$png") == "PNG image data, $l x $l, 8-bit/color RGBA"* ]] ||
      fallito "$png is not a $l x $l PNG: $(file -b "$png")"
  done
done
grep -q '<control>gamepad</control>' "$usr/share/metainfo/$id.metainfo.xml" ||
  fallito "the metadata does not say gamepads play"
zcat "$usr/share/doc/skarvex/changelog.gz" | head -n1 | grep -q "^skarvex ($versione) " ||
  fallito "the changelog does not open with version $versione"
for pagina in "$usr"/share/man/man6/*.6.gz; do
  avvisi=$(zcat "$pagina" | groff -man -ww -Tutf8 -z 2>&1)
  [[ -z $avvisi ]] || fallito "$(basename "$pagina"): $avvisi"
done

# Built for /usr, not for the build folder: no run path may point back at it.
for programma in "$usr"/games/* "$usr"/libexec/skarvex/*; do
  ! readelf -d "$programma" | grep -qE 'RPATH|RUNPATH' || fallito "$programma carries a run path"
done

# The packaged game, started from the extracted copy in a home of its own.
export HOME="$tmp/casa" XDG_DATA_HOME="$tmp/dati" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$tmp/cartella"
chmod 700 "$XDG_RUNTIME_DIR"
[[ $("$usr/games/skarvex" --version) == "skarvex $versione" ]] || fallito "skarvex --version is not $versione"
"$usr/games/skarvex-comb" --help >/dev/null || fallito "skarvex-comb --help failed"
# The pictures are decoded by the helper in libexec, which the tool must find.
"$usr/games/skarvex-comb" check "$build/Notturno.skcom" >/dev/null ||
  fallito "the packaged skarvex-comb does not take the demo combination's pictures"
echo dump >"$tmp/copione"
istantanea=$("$usr/games/skarvex" --headless --program-folder "$tmp/cartella" "$tmp/copione")
[[ $istantanea == '{"background"'* && $(wc -l <<<"$istantanea") -eq 1 ]] ||
  fallito "the headless start-up printed no snapshot: $istantanea"
[[ -f $tmp/cartella/Record ]] || fallito "the headless start-up left no Record in its program folder"
# An installed copy keeps a player's files in the per-user folder, never beside itself.
"$usr/games/skarvex" --headless "$tmp/copione" >/dev/null
[[ -f $XDG_DATA_HOME/skarvex/Record ]] || fallito "the installed copy did not use \$XDG_DATA_HOME/skarvex"
# The demo combination's preview, drawn by the thumbnailer's own command line with no
# display and no platform chosen, as a sandboxed file manager runs it.
demo="$build/Notturno.skcom"
[[ -f $demo ]] || fallito "no demo combination $demo: is the build folder built?"
read -ra comando <<<"$(sed -n 's/^Exec=//p' "$miniatura")"
for i in "${!comando[@]}"; do
  case ${comando[$i]} in
    %i) comando[$i]=$demo ;;
    %o) comando[$i]=$tmp/anteprima.png ;;
    %s) comando[$i]=256 ;;
  esac
done
env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY PATH="$usr/games:$PATH" "${comando[@]}" ||
  fallito "the thumbnailer failed on $demo"
[[ $(file -b "$tmp/anteprima.png") == 'PNG image data, 256 x '* ]] ||
  fallito "the demo's preview is not a PNG 256 pixels wide: $(file -b "$tmp/anteprima.png")"
# Not one flat colour: the pixels, unfiltered, in more than a few colours.
colori=$(python3 - "$tmp/anteprima.png" <<'PYTHON'
import struct, sys, zlib
dati = open(sys.argv[1], 'rb').read()
pos, idat = 8, b''
while pos < len(dati):
    lunghezza, tipo = struct.unpack('>I4s', dati[pos:pos + 8])
    corpo = dati[pos + 8:pos + 8 + lunghezza]
    if tipo == b'IHDR':
        larghezza, altezza, bit, colore = struct.unpack('>IIBB', corpo[:10])
    elif tipo == b'IDAT':
        idat += corpo
    pos += 12 + lunghezza
if bit != 8 or colore not in (2, 6):
    sys.exit('not 8-bit RGB or RGBA')
bpp = 3 if colore == 2 else 4
grezzi, riga = zlib.decompress(idat), larghezza * bpp
sopra, colori = bytearray(riga), set()
for y in range(altezza):
    inizio = y * (riga + 1)
    filtro, r = grezzi[inizio], bytearray(grezzi[inizio + 1:inizio + 1 + riga])
    for x in range(riga):
        a = r[x - bpp] if x >= bpp else 0
        b, c = sopra[x], sopra[x - bpp] if x >= bpp else 0
        if filtro == 1: r[x] = (r[x] + a) & 255
        elif filtro == 2: r[x] = (r[x] + b) & 255
        elif filtro == 3: r[x] = (r[x] + (a + b) // 2) & 255
        elif filtro == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            r[x] = (r[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    colori.update(bytes(r[x:x + bpp]) for x in range(0, riga, bpp))
    sopra = r
print(len(colori))
PYTHON
) || fallito "the demo's preview cannot be read: $colori"
((colori > 16)) || fallito "the demo's preview is nearly one flat colour ($colori colours)"
[[ $(ls "$usr/games") == $'skarvex\nskarvex-comb' ]] || fallito "files were left beside the executables"

echo "verifica-pacchetto: $(basename "$deb") is sound ($(du -k "$deb" | cut -f1) KiB)"

#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks it as a player would get it:
# the desktop entry, the metadata and the manual pages pass their checkers, the package
# holds exactly the expected files and depends on the libraries it links and on the
# soundfont, and its executable, extracted into a temporary folder, starts.
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
cat >"$tmp/attesi" <<ELENCO
./usr/
./usr/bin/
./usr/bin/skarvex
./usr/bin/skarvex-comb
./usr/share/
./usr/share/applications/
./usr/share/applications/$id.desktop
./usr/share/doc/
./usr/share/doc/skarvex/
./usr/share/doc/skarvex/copyright
./usr/share/icons/
./usr/share/icons/hicolor/
./usr/share/icons/hicolor/scalable/
./usr/share/icons/hicolor/scalable/apps/
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/icons/hicolor/scalable/mimetypes/
./usr/share/icons/hicolor/scalable/mimetypes/application-x-skarvex-combination.svg
./usr/share/man/
./usr/share/man/man6/
./usr/share/man/man6/skarvex-comb.6.gz
./usr/share/man/man6/skarvex.6.gz
./usr/share/metainfo/
./usr/share/metainfo/$id.metainfo.xml
./usr/share/mime/
./usr/share/mime/packages/
./usr/share/mime/packages/$id.xml
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

radice="$tmp/radice"
dpkg-deb -x "$deb" "$radice"
usr="$radice/usr"

# What the desktop and the software centres read, as shipped.
desktop-file-validate "$usr/share/applications/$id.desktop" >"$tmp/desktop" 2>&1 || true
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
# The combination type: well formed, and found for a .skcom file once the desktop's
# database is built from it.
xmllint --noout "$usr/share/mime/packages/$id.xml" || fallito "the MIME definition is not well formed"
mkdir -p "$tmp/mime/packages"
cp "$usr/share/mime/packages/$id.xml" "$tmp/mime/packages/"
update-mime-database "$tmp/mime" >"$tmp/mime.log" 2>&1 || {
  cat "$tmp/mime.log" >&2
  fallito "update-mime-database refused the MIME definition"
}
grep -qx '50:application/x-skarvex-combination:\*\.skcom' "$tmp/mime/globs2" ||
  fallito "the MIME database does not give .skcom files their type"
for pagina in "$usr"/share/man/man6/*.6.gz; do
  avvisi=$(zcat "$pagina" | groff -man -ww -Tutf8 -z 2>&1)
  [[ -z $avvisi ]] || fallito "$(basename "$pagina"): $avvisi"
done

# Built for /usr, not for the build folder: no run path may point back at it.
for programma in "$usr"/bin/*; do
  ! readelf -d "$programma" | grep -qE 'RPATH|RUNPATH' || fallito "$programma carries a run path"
done

# The packaged game, started from the extracted copy in a home of its own.
export HOME="$tmp/casa" XDG_DATA_HOME="$tmp/dati" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$tmp/cartella"
chmod 700 "$XDG_RUNTIME_DIR"
[[ $("$usr/bin/skarvex" --version) == "skarvex $versione" ]] || fallito "skarvex --version is not $versione"
"$usr/bin/skarvex-comb" --help >/dev/null || fallito "skarvex-comb --help failed"
echo dump >"$tmp/copione"
istantanea=$("$usr/bin/skarvex" --headless --program-folder "$tmp/cartella" "$tmp/copione")
[[ $istantanea == '{"background"'* && $(wc -l <<<"$istantanea") -eq 1 ]] ||
  fallito "the headless start-up printed no snapshot: $istantanea"
[[ -f $tmp/cartella/Record ]] || fallito "the headless start-up left no Record in its program folder"
# An installed copy keeps a player's files in the per-user folder, never beside itself.
"$usr/bin/skarvex" --headless "$tmp/copione" >/dev/null
[[ -f $XDG_DATA_HOME/skarvex/Record ]] || fallito "the installed copy did not use \$XDG_DATA_HOME/skarvex"
[[ $(ls "$usr/bin") == $'skarvex\nskarvex-comb' ]] || fallito "files were left beside the executables"

echo "verifica-pacchetto: $(basename "$deb") is sound ($(du -k "$deb" | cut -f1) KiB)"

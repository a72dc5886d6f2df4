#!/bin/sh
# Checks the layers of src/: a folder includes only itself and the folders below it,
# and builds only its own files (no source is compiled by two folders). From the
# bottom up; tools sit beside the front and nothing includes them. Our own headers
# are included one way only, `#include "folder/File.h"` at the start of its line, so
# that the check sees every one: an indented include, one in angle brackets or one
# that climbs with `../` fails too.
set -eu
src=${1:-$(dirname "$0")/../src}
strati="codec decoder seams model sound combinations game replay editing drawing editor ui"
livello() {
  i=0
  for s in $strati; do
    [ "$s" = "$1" ] && { echo $i; return; }
    i=$((i + 1))
  done
  case $1 in tools) echo 10 ;; *) echo 99 ;; esac  # tools: at the editor's height, never above ui
}
cartelle=$(echo "$strati tools" | tr ' ' '|')
esito=0
# Reports the lines of src/ that match `forma`, as "file:line: what".
rifiuta() {
  if grep -rnE "$1" "$src"; then
    echo "^ $2"
    esito=1
  fi
}
rifiuta '^[[:space:]]+#[[:space:]]*include|^#[[:space:]]+include' \
  'an indented include: write #include at the start of the line'
rifiuta "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($cartelle)/" \
  'a folder of src/ included in angle brackets: write #include "folder/File.h"'
rifiuta '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]*\.\./' \
  'an include that climbs with ../: name the folder from src/'
for cartella in $strati tools; do
  [ -d "$src/$cartella" ] || continue
  mio=$(livello "$cartella")
  for riga in $(grep -rhoE '^#include "[a-z]+/' "$src/$cartella" | sed 's/#include "//; s|/$||' | sort -u); do
    suo=$(livello "$riga")
    if [ "$riga" = tools ] && [ "$cartella" != tools ] || [ "$suo" -gt "$mio" ] ||
       { [ "$cartella" = tools ] && [ "$riga" = editor ]; }; then
      grep -rln "^#include \"$riga/" "$src/$cartella" | sed "s|^|$cartella includes $riga: |"
      esito=1
    fi
  done
done
# A folder's CMakeLists.txt names no file of another folder.
if grep -nE '\.\./|SOURCE_DIR\}/src/[^ ]*\.(cpp|qrc)' "$src"/*/CMakeLists.txt "$src"/*/*/CMakeLists.txt; then
  echo "a folder builds a file of another folder"
  esito=1
fi
exit $esito

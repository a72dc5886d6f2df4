#!/bin/sh
# The layer check passes a tree whose folders include only downwards, and fails on
# each kind of include it must refuse.
set -eu
strati=$1
albero=$(mktemp -d)
trap 'rm -rf "$albero"' EXIT
mkdir "$albero/codec" "$albero/game"
printf '#include "codec/A.h"\n#include <vector>\n' > "$albero/game/B.cpp"
sh "$strati" "$albero" > /dev/null 2>&1 || { echo "refused a sound tree"; exit 1; }
for riga in '#include "ui/C.h"' '#include <codec/A.h>' '  #include "codec/A.h"' \
            '# include "ui/C.h"' '#include "../codec/A.h"' '#include "game/../ui/C.h"'; do
  printf '%s\n' "$riga" > "$albero/game/C.cpp"
  if sh "$strati" "$albero" > /dev/null 2>&1; then
    echo "did not refuse: $riga"
    exit 1
  fi
done

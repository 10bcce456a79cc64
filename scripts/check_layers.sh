#!/usr/bin/env bash
# Fails, listing each offending line, when a source file includes a header of
# a folder its layer may not use. The table below is the layering of
# docs/design.md and of the CMake targets (each folder's library links
# exactly the folders it may include); change the three together.
set -euo pipefail
cd "$(dirname "$0")/.."

# folder: the folders its files may include from (its own always included).
layers=(
  "src/support/dbase:support"
  "src/support:"
  "src/run:support"
  "src/safety:support"
  "src/dae_import:support run"
  "src/timetabler_tables:support run dae_import"
  "src/dae_export:support run dae_import"
  "src/converter:support run safety dae_import timetabler_tables dae_export"
  "src/cli:support run safety dae_import timetabler_tables dae_export converter"
  "src/app:support run safety dae_import timetabler_tables dae_export converter"
  "tools/host_stub:support tools"
)

# The folder an included path names: "support/dbase" for the table engine,
# else its first component.
include_folder() {
  case "$1" in
    support/dbase/*) echo "support/dbase" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
  esac
}

failed=0
for layer in "${layers[@]}"; do
  folder=${layer%%:*}
  own=${folder#src/}
  allowed=" $own ${layer#*:} "
  # The engine is part of support for its users; support itself may not use it.
  [[ "$allowed" == *" support "* && "$own" != support ]] && allowed+="support/dbase "
  [ "$own" = "support/dbase" ] && allowed+="support "
  while IFS= read -r file; do
    # support/ does not own its dbase subfolder: that is a layer of its own.
    [[ "$own" = support && "$file" == src/support/dbase/* ]] && continue
    while IFS=: read -r line text; do
      included=$(sed -E 's/^#include "([^"]+)".*/\1/' <<<"$text")
      target=$(include_folder "$included")
      [ -z "$target" ] && continue
      if [[ "$allowed" != *" $target "* ]]; then
        echo "$file:$line: $own may not include $included" >&2
        failed=1
      fi
    done < <(grep -nE '^#include "' "$file")
  done < <(git ls-files "$folder" | grep -E '\.(h|cpp)$')
done

if [ "$failed" -ne 0 ]; then
  echo "A layer includes a header it may not use (the layers: docs/design.md)." >&2
  exit 1
fi

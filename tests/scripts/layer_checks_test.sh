#!/usr/bin/env bash
# scripts/check-layers on small trees: clean layers pass; a Qt header below src/shell, an include
# from a higher folder, the editor including the demo library and a folder without a layer fail,
# each named with its file and line. Then the project's own tree, which must pass.
# Usage: layer_checks_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
check="$source_dir/scripts/check-layers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A tree with one clean file per folder: each includes its own header and one of the folder below.
clean_tree() {
  local root=$1
  rm -rf "$root"
  mkdir -p "$root/src"
  local below=""
  for folder in foundation gamedata mission render editor shell dialogs app; do
    mkdir -p "$root/src/$folder"
    {
      echo "#include \"$folder/own.h\""
      [ -n "$below" ] && echo "#include \"$below/own.h\""
      case $folder in shell | dialogs | app) echo "#include <QWidget>" ;; esac
      echo "#include <vector>"
    } >"$root/src/$folder/own.cpp"
    touch "$root/src/$folder/own.h"
    below=$folder
  done
  mkdir -p "$root/src/demo"
  printf '#include "mission/own.h"\n#include "demo/own.h"\n' >"$root/src/demo/own.cpp"
}

# expect_failure NAME FILE LINE TEXT: the tree at $work/tree fails, naming FILE:LINE.
expect_failure() {
  local name=$1 where=$2
  local output
  output=$("$check" "$work/tree")
  local status=$?
  [ $status -eq 1 ] || fail "$name: exit status $status, not 1"
  grep -q "^$where: " <<<"$output" || fail "$name: '$where' not named in: $output"
}

clean_tree "$work/tree"
output=$("$check" "$work/tree") || fail "a clean tree fails: $output"

clean_tree "$work/tree"
printf '#include <vector>\n#include <QString>\n' >"$work/tree/src/editor/texts.h"
expect_failure "a Qt header in src/editor" "src/editor/texts.h:2"

clean_tree "$work/tree"
printf '#include <QtCore/qglobal.h>\n' >"$work/tree/src/foundation/base.cpp"
expect_failure "a Qt module header in src/foundation" "src/foundation/base.cpp:1"

clean_tree "$work/tree"
printf '// page\n#include "editor/view_state.h"\n' >"$work/tree/src/mission/page.cpp"
expect_failure "src/mission including from src/editor" "src/mission/page.cpp:2"

clean_tree "$work/tree"
printf '#include "demo/demo_mission.h"\n' >"$work/tree/src/editor/start.cpp"
expect_failure "src/editor including the demo library" "src/editor/start.cpp:1"

clean_tree "$work/tree"
printf '#include "dialogs/about_dialog.h"\n' >"$work/tree/src/shell/menus.cpp"
expect_failure "src/shell including from src/dialogs" "src/shell/menus.cpp:1"

clean_tree "$work/tree"
mkdir -p "$work/tree/src/extras"
"$check" "$work/tree" >/dev/null && fail "a folder without a layer passes"

output=$("$check" "$source_dir") || fail "the project's own tree: $output"

[ $failures -eq 0 ] && echo "layer checks: all cases behave"
exit $((failures > 0))

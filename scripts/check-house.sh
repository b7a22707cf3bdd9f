#!/usr/bin/env bash
# House checks that need no build: every C++ file is formatted by the repo's .clang-format, and
# nothing below the Qt front end includes Qt or the front end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0

if ! git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror; then
  echo "check-house: files above are not formatted; run clang-format -i on them" >&2
  status=1
fi

# Headless layers and the script runner: no Qt header, no front-end header.
below_gui=(src/runtime src/ui src/app tools/velmora_script)
if hits=$(git grep -nE '^\s*#\s*include\s*[<"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>"]*|gui/[^>"]*)[>"]' \
          -- "${below_gui[@]}"); then
  echo "check-house: Qt or gui/ included below src/gui:" >&2
  echo "$hits" >&2
  status=1
fi

# The native Windows front end stands beside the Qt one: neither includes the other, and
# windows.h stays out of the layers in between (ui, app) and out of the Qt front end.
if hits=$(git grep -nE '^\s*#\s*include\s*[<"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>"]*|gui/[^>"]*)[>"]' \
          -- src/win32); then
  echo "check-house: Qt or gui/ included in src/win32:" >&2
  echo "$hits" >&2
  status=1
fi
if hits=$(git grep -nEi '^\s*#\s*include\s*[<"](windows\.h|win32/[^>"]*)[>"]' \
          -- src/ui src/app src/gui); then
  echo "check-house: windows.h or win32/ included in ui, app or gui:" >&2
  echo "$hits" >&2
  status=1
fi

[ $status -eq 0 ] && echo "check-house: formatting and layering are clean"
exit $status

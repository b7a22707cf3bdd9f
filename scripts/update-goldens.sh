#!/usr/bin/env bash
# Runs every scenario (or the ones named, e.g. "save_settings") through velmora-script as the
# scenario tests do, writes each transcript over its golden and shows what changed.
# Usage: scripts/update-goldens.sh [BUILD_DIR] [STORY ...]   (BUILD_DIR defaults to build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
if [ $# -gt 0 ] && [ -d "$1" ]; then build=$(cd "$1" && pwd); shift; fi
runner=$build/tools/velmora_script/velmora-script
[ -x "$runner" ] || { echo "no velmora-script in $build: build first (scripts/build.sh)" >&2; exit 2; }

scripts=()
if [ $# -gt 0 ]; then
  for story in "$@"; do scripts+=("$root/tests/scenarios/$story.vs"); done
else
  scripts=("$root"/tests/scenarios/*.vs "$root/scripts/demo.vs")
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for script in "${scripts[@]}"; do
  story=$(basename "$script" .vs)
  dir=$(dirname "$script")
  run=$work/$story/run
  mkdir -p "$run"
  [ -d "$dir/$story.setup" ] && cp -a "$dir/$story.setup/." "$run/"
  # The same run as tests/run_scenario.cmake: same clock, same run directory layout.
  "$runner" --run-dir "$run" --now "2026-01-15 10:30:00" "$script" >"$dir/$story.out" \
    2>"$work/$story.err" || true
  [ -f "$dir/$story.err" ] && cp "$work/$story.err" "$dir/$story.err"
done
git -C "$root" --no-pager diff --stat -- tests/scenarios scripts/demo.out 2>/dev/null || true
git -C "$root" --no-pager diff -- tests/scenarios scripts

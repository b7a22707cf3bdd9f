#!/usr/bin/env bash
# One program per run directory, with the built programs: while the desktop program works in a
# run directory, velmora-script refuses it (one line, exit 2, no file changed) and a second
# desktop program ends with 0 while the first runs on; once the first is killed (SIGKILL), the
# run directory is free again.
#   run_directory_held.sh <velmora> <velmora-script> <setup folder>
set -euo pipefail
velmora=$1
script_runner=$2
work=$(mktemp -d)
pids=()
trap 'for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done; rm -rf "$work"' EXIT
run="$work/run"
mkdir "$run"
cp -r "$3/." "$run"

fail() {
  echo "FAIL: $*"
  exit 1
}
# Every file with its bytes and time, to see that nothing changed.
listing() { (cd "$run" && find . -type f -printf '%p %T@ ' -exec sha256sum {} \; | sort); }
printf '%s\n' 'type 文档标题编辑框 "改过"' 'click 保存设置按钮' 'answer ok' 'answer ok' >"$work/save.vs"

QT_QPA_PLATFORM=offscreen "$velmora" --run-dir "$run" 2>"$work/first.err" &
first=$!
pids+=("$first")
# Waits, without taking the lock, until the first program holds the run directory: its flock
# on the folder's inode shows in /proc/locks.
inode=$(stat -c %i "$run")
for _ in $(seq 1 300); do
  grep -Eq "FLOCK +ADVISORY +WRITE +$first +[0-9a-f]+:[0-9a-f]+:$inode " /proc/locks && break
  kill -0 "$first" 2>/dev/null || fail "the desktop program ended: $(cat "$work/first.err")"
  sleep 0.1
done
grep -Eq "FLOCK +ADVISORY +WRITE +$first +[0-9a-f]+:[0-9a-f]+:$inode " /proc/locks ||
  fail "the desktop program did not lock its run directory"

listing >"$work/before"
status=0
"$script_runner" --run-dir "$run" "$work/save.vs" >"$work/save.out" 2>"$work/save.err" || status=$?
[ "$status" -eq 2 ] || fail "velmora-script on a held run directory ended with $status"
[ ! -s "$work/save.out" ] || fail "velmora-script ran the script: $(cat "$work/save.out")"
[ "$(wc -l <"$work/save.err")" -eq 1 ] && grep -q "another Velmora is working in it" "$work/save.err" ||
  fail "expected one line on standard error, got: $(cat "$work/save.err")"
listing >"$work/after"
diff -u "$work/before" "$work/after" || fail "velmora-script changed files in a held run directory"
echo "velmora-script refused: $(cat "$work/save.err")"

status=0
timeout 30 env QT_QPA_PLATFORM=offscreen "$velmora" --run-dir "$run" 2>"$work/second.err" || status=$?
[ "$status" -eq 0 ] || fail "the second start ended with $status: $(cat "$work/second.err")"
kill -0 "$first" 2>/dev/null || fail "the first program did not run on"
listing >"$work/after"
diff -u "$work/before" "$work/after" || fail "the second start changed files"
echo "second start ended with 0; the first runs on"

kill -9 "$first"
wait "$first" 2>/dev/null || true
status=0
"$script_runner" --run-dir "$run" "$work/save.vs" >/dev/null 2>"$work/free.err" || status=$?
[ "$status" -eq 0 ] || fail "after the holder was killed velmora-script ended with $status: $(cat "$work/free.err")"
iconv -f GBK -t UTF-8 "$run/Data/预设配置一.ini" | grep -q "^文档标题编辑框=改过" ||
  fail "the save after the kill did not reach the Preset file"
echo "PASS: a killed holder leaves the run directory free"

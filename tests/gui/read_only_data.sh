#!/usr/bin/env bash
# A program in a folder its user may not write, with the user's Data folder beside it (an
# installed copy, a read-only share): as an ordinary user, the first start carries the Data
# folder into ~/Documents/Velmora byte for byte and says so once, naming the folder; the
# Presets are there; a later start copies nothing again. Switching users needs root: skipped
# otherwise.
#   read_only_data.sh <velmora> <velmora-script> <setup folder>
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "runs the programs as another user: needs root"
  exit 77
fi
work=$(mktemp -d)
first=""
trap '[ -z "$first" ] || kill -9 "$first" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
fail() {
  echo "FAIL: $*"
  exit 1
}

program="$work/program"
mkdir -p "$program/Data"
cp "$1" "$2" "$program/"
cp -r "$3/Data/." "$program/Data/"
chmod -R a-w "$program"

user=velmora-tester
id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
home="$work/home"
mkdir "$home"
chown "$user": "$home"
# setpriv runs the program in its own place (runuser would stand between as a parent), so that
# the program started in the background is the process to end.
as_user() {
  setpriv --reuid "$user" --regid "$(id -g "$user")" --init-groups \
    env -i -C "$home" HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen "$@"
}
run="$home/Documents/Velmora"

# The desktop program shows the notice in a message box before its window: it is read from
# the line on standard error, and the program is ended there.
setpriv --reuid "$user" --regid "$(id -g "$user")" --init-groups \
  env -i -C "$home" HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
  "$program/velmora" 2>"$work/first.err" &
first=$!
for _ in $(seq 1 300); do
  grep -qs "运行目录" "$work/first.err" && break
  kill -0 "$first" 2>/dev/null || break
  sleep 0.1
done
kill -9 "$first" 2>/dev/null || true
wait "$first" 2>/dev/null || true
first=""
echo "notice: $(cat "$work/first.err")"
[ "$(grep -c "运行目录" "$work/first.err")" -eq 1 ] || fail "expected one notice"
grep -q "今后保存在“$run”" "$work/first.err" || fail "the notice does not name $run"
grep -q "“$program/Data”已复制到那里" "$work/first.err" || fail "the notice does not name the Data folder"
diff -r "$program/Data" "$run/Data" || fail "the copy differs from the Data folder"
for file in "$program"/Data/*; do
  cmp "$file" "$run/Data/$(basename "$file")" || fail "$file is not copied byte for byte"
done

printf 'show 预设组合框 文档标题编辑框 标签选择框5\n' >"$work/look.vs"
chmod 644 "$work/look.vs"
as_user "$program/velmora-script" "$work/look.vs" >"$work/look.out" 2>"$work/look.err" ||
  fail "velmora-script ended with $?: $(cat "$work/look.err")"
cat "$work/look.out"
grep -q 'entries=\["预设配置一":0,"预设配置二":0,"预设配置三":0\]' "$work/look.out" &&
  grep -q 'text="周报"' "$work/look.out" && grep -q 'caption="戊" checked=1' "$work/look.out" ||
  fail "the Presets do not appear in the run directory"
[ ! -s "$work/look.err" ] || fail "a later start says more: $(cat "$work/look.err")"
echo "PASS: the read-only Data folder is carried into $run"

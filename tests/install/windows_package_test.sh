#!/usr/bin/env bash
# The Windows downloads as a Windows user meets them, under Wine. Builds both packages twice
# (scripts/package-windows.sh, in two build folders) and compares their checksums; then, as an
# unprivileged Unix user with a Wine prefix of their own: installs the setup silently, checks
# its files, shortcuts and "Apps and features" entry, makes Program Files read-only as it is
# for a Windows user, starts the installed velmora.exe and saves a Preset through its window
# (it must land in Documents\Velmora, nothing under Program Files), uninstalls silently and
# checks that the Preset stays; unpacks the zip into a folder with a Chinese name and a space
# and checks that its velmora.exe keeps its Data beside itself.
#   tests/install/windows_package_test.sh [Windows build folder (default build-windows)]
# Runs as root (CI does), after scripts/test-windows.sh has built the window driver there.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
  echo "windows_package_test.sh switches users: run it as root"
  exit 1
fi
build=$(cd "${1:-"$root/build-windows"}" && pwd)
driver=$build/velmora/tests/win32/velmora_save_preset.exe
[ -f "$driver" ] || { echo "no $driver: run scripts/test-windows.sh first"; exit 1; }

fail() {
  echo "FAIL: $*"
  exit 1
}

echo "== both packages, twice"
mapfile -t packages < <("$root/scripts/package-windows.sh" "$build")
zip=${packages[0]}
setup=${packages[1]}
# The second build stands in a folder of another name and shares only the Windows libraries.
again=$build/package-again
mkdir -p "$again"
ln -sfn "$build/sysroot" "$again/sysroot"
mapfile -t packages_again < <("$root/scripts/package-windows.sh" "$again" "$again/dist")
for i in 0 1; do
  sha256sum "${packages[$i]}" "${packages_again[$i]}"
  cmp -s "${packages[$i]}" "${packages_again[$i]}" ||
    fail "two builds of the same commit differ: ${packages[$i]##*/}"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/release/CMakeCache.txt")
ls -l "$zip" "$setup"

user=velmora-tester
id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
work=$(mktemp -d)
chmod 755 "$work"
home=$work/home
mkdir "$home"
chown "$user": "$home"
# What the user runs comes from here: the clone may lie where only root may enter.
install -m 644 "$setup" "$zip" "$driver" "$work/"

# One virtual display for the user's programs, open to local clients of any user.
display_file=$work/display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
cleanup() {
  runuser -u "$user" -- env HOME="$home" WINEPREFIX="$home/wine" wineserver --kill 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || fail "Xvfb did not start"

prefix=$home/wine
as_user() {
  (cd "$home" && runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    DISPLAY=":$(cat "$display_file")" WINEPREFIX="$prefix" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=" "$@")
}
# A Windows program of the user's, to its end and that of every program it started.
wine_run() {
  local status=0
  as_user wine "$@" || status=$?
  as_user wineserver --wait
  return "$status"
}

echo "== as $user: a fresh Wine prefix, the setup installed silently"
as_user wineboot --init
as_user wineserver --wait
wine_run "$work/${setup##*/}" /S || fail "the setup ended with $?"
drive_c=$prefix/drive_c
program_files="$drive_c/Program Files"
installed="$program_files/Velmora"
for file in velmora.exe velmora-script.exe 说明.txt 许可.txt uninstall.exe; do
  [ -f "$installed/$file" ] || fail "$file is not installed"
done
cmp -s "$installed/velmora.exe" "$build/release/package/velmora.exe" ||
  fail "the installed velmora.exe is not the packaged one"
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
desktop="$drive_c/users/Public/Desktop/Velmora.lnk"
[ -f "$start_menu" ] || fail "no Start-menu shortcut"
[ -f "$desktop" ] || fail "no desktop shortcut"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
entry=$(as_user wine reg query "$uninstall_key" | tr -d '\r')
echo "$entry"
for value in "DisplayName REG_SZ Velmora" "DisplayVersion REG_SZ $version" \
  "Publisher REG_SZ Velmora maintainers" 'DisplayIcon REG_SZ C:\Program Files\Velmora\velmora.exe,0' \
  'UninstallString REG_SZ "C:\Program Files\Velmora\uninstall.exe"' "EstimatedSize REG_DWORD"; do
  echo "$entry" | sed 's/^ *//; s/    */ /g' | grep -qF "$value" ||
    fail "the uninstall entry lacks $value"
done

echo "== as $user: the installed program saves a Preset into Documents\\Velmora"
# As for a Windows user without elevation: Program Files belongs to the administrator.
chown -R root: "$program_files"
chmod -R go-w "$program_files"
listing() { (cd "$program_files" && find . -printf '%p %s %m %T@\n' | sort); }
listing >"$work/program-files-before"
wine_run "$work/velmora_save_preset.exe" 'C:\Program Files\Velmora\velmora.exe' installed ||
  fail "the installed velmora.exe could not save a Preset"
listing >"$work/program-files-after"
diff -u "$work/program-files-before" "$work/program-files-after" ||
  fail "the installed program wrote under Program Files"
documents=$(as_user wine winepath -u 'C:\users\velmora-tester\Documents' | tr -d '\r')
preset="$documents/Velmora/Data/预设配置一.ini"
iconv -f GBK -t UTF-8 "$preset" | grep -q "^文档标题编辑框=installed" ||
  fail "the installed program saved no Preset into $documents/Velmora"

echo "== as $user: uninstalled silently, the Preset stays"
# The uninstaller runs with the administrator's rights.
chown -R "$user": "$program_files"
wine_run 'C:\Program Files\Velmora\uninstall.exe' /S || fail "the uninstaller ended with $?"
[ ! -e "$installed" ] || fail "the uninstaller left $(ls "$installed")"
[ ! -e "$start_menu" ] && [ ! -e "$desktop" ] || fail "the uninstaller left a shortcut"
! as_user wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall entry stays"
iconv -f GBK -t UTF-8 "$preset" | grep -q "^文档标题编辑框=installed" ||
  fail "uninstalling touched the user's Preset"

echo "== as $user: the zip's velmora.exe keeps its Data beside itself"
portable="$drive_c/users/$user/Desktop/文档 工具"
as_user mkdir -p "$portable"
as_user python3 -m zipfile -e "$work/${zip##*/}" "$portable"
wine_run "$work/velmora_save_preset.exe" \
  "C:\\users\\$user\\Desktop\\文档 工具\\Velmora-$version\\velmora.exe" portable ||
  fail "the unpacked velmora.exe could not save a Preset"
iconv -f GBK -t UTF-8 "$portable/Velmora-$version/Data/预设配置一.ini" |
  grep -q "^文档标题编辑框=portable" || fail "the unpacked program kept no Preset beside itself"
iconv -f GBK -t UTF-8 "$preset" | grep -q "^文档标题编辑框=installed" ||
  fail "the unpacked program wrote into Documents\\Velmora"
echo "PASS: both packages build the same twice, install, run, uninstall and unpack as a user expects"

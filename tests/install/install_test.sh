#!/usr/bin/env bash
# Velmora installed as a Linux desktop program. Builds the Debian package (scripts/package.sh)
# and checks it and its desktop metadata with lintian, desktop-file-validate and appstreamcli;
# then installs into a fresh prefix as root and, as an unprivileged user, runs velmora-script
# and the desktop program from there: both save a Preset and export a document into the
# user's run directory (Velmora in the documents folder), and nothing under the prefix changes.
#   tests/install/install_test.sh [package build folder]      (as root: CI runs as root)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
  echo "install_test.sh installs and switches users: run it as root"
  exit 1
fi
# The checkers, and xdotool, which drives the installed program's window on the virtual display.
"$root/scripts/setup.sh" lintian desktop-file-utils appstream xdotool
build=${1:-"$root/build-package"}
deb=$("$root/scripts/package.sh" "$build" | tail -1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

fail() {
  echo "FAIL: $*"
  exit 1
}

echo "== desktop entry, AppStream metadata, package"
desktop-file-validate "$root/packaging/velmora.desktop"
appstreamcli validate --no-net "$build"/packaging/*.metainfo.xml
grep -q "<release version=\"$version\"" "$build"/packaging/*.metainfo.xml ||
  fail "the AppStream release list does not name version $version"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"
lintian --fail-on error "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors on $deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
# What the unprivileged user runs comes from here: the clone may lie where only root may enter
# (under /root, mode 700).
install -m 644 "$root/scripts/demo.vs" "$work/demo.vs"
install -m 755 "$root/tests/install/drive_window.sh" "$work/drive_window.sh"
prefix="$work/prefix"
echo "== install into $prefix as root"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -f "$prefix/bin/velmora" ] && [ ! -L "$prefix/bin/velmora" ] ||
  fail "bin/velmora is not the program itself"
for file in bin/velmora-script share/applications/velmora.desktop \
  share/icons/hicolor/scalable/apps/velmora.svg share/icons/hicolor/16x16/apps/velmora.png \
  share/icons/hicolor/256x256/apps/velmora.png share/man/man1/velmora.1.gz \
  share/man/man1/velmora-script.1.gz; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
ls "$prefix"/share/metainfo/*.metainfo.xml >/dev/null || fail "no AppStream file installed"

echo "== as root: velmora-script runs portable, beside the installed executable"
(cd "$work" && "$prefix/bin/velmora-script" "$work/demo.vs" >/dev/null)
[ -f "$prefix/bin/Data/预设配置一.ini" ] && [ -f "$prefix/bin/演示文档.docx" ] ||
  fail "root's run did not keep its files beside the executable"
# The Data folder that root left there must not take the user's run.
listing() { (cd "$prefix" && find . -printf '%p %s %m %T@\n' | sort); }
listing >"$work/prefix-before"

user=velmora-tester
id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
home="$work/home"
mkdir "$home"
chown "$user": "$home"
as_user() {
  (cd "$home" && runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@")
}
run="$home/Documents/Velmora"

echo "== as $user: --version and --help"
[ "$(as_user "$prefix/bin/velmora" --version)" = "velmora $version" ] || fail "velmora --version"
[ "$(as_user "$prefix/bin/velmora-script" --version)" = "velmora-script $version" ] ||
  fail "velmora-script --version"
as_user "$prefix/bin/velmora" --help | grep -q -- "--run-dir DIR" || fail "velmora --help"
as_user "$prefix/bin/velmora-script" --help | grep -q -- "--run-dir DIR" || fail "velmora-script --help"

echo "== as $user: velmora-script runs the demonstration in $run"
as_user "$prefix/bin/velmora-script" "$work/demo.vs" >"$work/demo.out" ||
  fail "velmora-script ended with $?"
diff -u "$root/scripts/demo.out" "$work/demo.out" || fail "the transcript differs from demo.out"
[ -f "$run/Data/预设配置一.ini" ] && [ -f "$run/演示文档.docx" ] ||
  fail "the Preset or the document is not in $run"

# The next start ticks two Tags, so that the window has a list to export.
printf '%s\n' 'click 标签选择框1' 'click 标签选择框2' \
  'click 保存设置按钮' 'answer ok' 'answer ok' | as_user "$prefix/bin/velmora-script" - >/dev/null ||
  fail "velmora-script could not save the Preset again"

echo "== as $user: the desktop program exports a document titled window and saves the Preset"
as_user xvfb-run -a -s "-screen 0 1280x1024x24" "$work/drive_window.sh" \
  "$prefix/bin/velmora" || fail "the window could not be driven"
printf 'cat window.docx\n' | as_user "$prefix/bin/velmora-script" - >"$work/document.out" ||
  fail "the program exported no document into $run"
grep -q '"1.各位好' "$work/document.out" && grep -q '"2.周一上午' "$work/document.out" ||
  fail "the exported document does not hold the ticked Tags: $(cat "$work/document.out")"
iconv -f GBK -t UTF-8 "$run/Data/预设配置一.ini" | grep -q "^文档标题编辑框=window" ||
  fail "the program saved no Preset into $run"

listing >"$work/prefix-after"
diff -u "$work/prefix-before" "$work/prefix-after" || fail "something was written under $prefix"
echo "PASS: installed program runs in $run; nothing written under the prefix"

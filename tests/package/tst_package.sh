#!/usr/bin/env bash
# The Debian package: built from the build tree, unpacked into a temporary
# root, checked as Debian and the desktops check it, and its program started
# there on a virtual display with a fresh home folder, as a learner would
# start it after installing: language choice, main menu, "Sair".
set -euo pipefail
build=$1
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $1 seconds for a command to succeed.
wait_for() {
  local seconds=$1; shift
  for _ in $(seq $((seconds * 10))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

cd "$build"
cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/pelano_*.deb)
root="$work/root"
dpkg-deb -x "$deb" "$root"

# Layout: everything in one folder, a launcher, the desktop files.
lib="$root/usr/lib/pelano"
for path in pelano konfig.ini tiparo0.ttf tiparo1.ttf tiparoj-licenco.txt ekzercoj/ekz01.dat \
            figuroj/fono.png sonoj/lec01 tradukoj/kioestas.rtf; do
  [ -e "$lib/$path" ] || fail "missing /usr/lib/pelano/$path"
done
[ "$(readlink "$root/usr/bin/pelano")" = "../lib/pelano/pelano" ] || fail "launcher"
[ "$(stat -c %a "$lib/konfig.ini")" = "444" ] || fail "konfig.ini must be read-only"
[ ! -e "$lib/sonoj/.manifest" ] || fail "the recording manifest is build state"
app=io.github.pelano_de_esperanto.Pelano
for path in "share/applications/$app.desktop" "share/metainfo/$app.metainfo.xml" \
            share/icons/hicolor/scalable/apps/pelano.svg share/icons/hicolor/48x48/apps/pelano.png \
            share/icons/hicolor/256x256/apps/pelano.png share/doc/pelano/copyright \
            share/doc/pelano/changelog.gz share/man/man1/pelano.1.gz; do
  [ -e "$root/usr/$path" ] || fail "missing /usr/$path"
done
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "run-time dependencies"
desktop-file-validate "$root/usr/share/applications/$app.desktop"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$app.metainfo.xml"
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
! grep -q '^E:' "$work/lintian.log" || fail "lintian reports errors"

snapshot() { (cd "$root" && find . -printf '%p %m %s %T@ %l\n' | sort && find . -type f -exec md5sum {} + | sort); }
snapshot >"$work/before"

# The program, started from the unpacked tree with a fresh home.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_for 20 test -s "$work/display" || fail "no virtual display"
export DISPLAY=":$(cat "$work/display")"
export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_CONFIG_HOME QT_QPA_PLATFORM
"$root/usr/bin/pelano" >"$work/program.log" 2>&1 &
program_pid=$!

# First start: the language choice; Enter takes the language it offers.
wait_for 60 xdotool search --onlyvisible --name '^Lingvo$' || { cat "$work/program.log"; fail "no language choice"; }
chooser=$(xdotool search --onlyvisible --name '^Lingvo$' | head -1)
xdotool windowfocus --sync "$chooser" key Return
wait_for 60 xdotool search --onlyvisible --name '^Pelano de Esperanto' || fail "no main menu"
menu=$(xdotool search --onlyvisible --name '^Pelano de Esperanto' | head -1)
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ "$WIDTH" = 630 ] && [ "$HEIGHT" = 444 ] || fail "main menu is ${WIDTH}x${HEIGHT}"

# "Sair" closes the course after its farewell.
xdotool mousemove --window "$menu" 120 362 click 1
wait_for 30 bash -c "! kill -0 $program_pid" || fail "the course did not end"
wait "$program_pid" || fail "the course ended with status $?"
program_pid=""

settings="$HOME/.config/pelano/konfig.ini"
[ -f "$settings" ] || fail "no settings in the learner's folder"
grep -q "LastaLeciono" "$settings" || fail "the place in the course was not kept"
snapshot >"$work/after"
diff "$work/before" "$work/after" || fail "the installed tree changed"
echo "package checked: $(basename "$deb")"

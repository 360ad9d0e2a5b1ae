#!/usr/bin/env bash
# Installs Velmora into a temporary prefix and checks it as a desktop finds it: the files,
# the validators' verdicts, the icons' sizes, the manual page, and the answers to --help,
# --version and a wrong command line given without a display.
# Usage: installed_program.sh <build folder>
source "$(dirname "$0")/check_bed.sh"
prefix=$scratch

cmake --install "$build" --prefix "$prefix" >/dev/null
diff -u "$here/installed-files.txt" \
  <(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) ||
  fail "the installed files are not those of installed-files.txt"

desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop-file-validate"
# Offline: the home page and the screenshot are published with the project, not here.
appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml || fail "appstreamcli validate"
for png in "$prefix"/share/icons/hicolor/*/apps/velmora.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  file -b "$png" | grep -q "^PNG image data, ${size/x/ x }," ||
    fail "the ${size} icon is $(file -b "$png")"
done
man_warnings=$(zcat "$prefix/share/man/man1/velmora.1.gz" | groff -man -ww -z 2>&1)
[ -z "$man_warnings" ] || fail "the manual page does not format cleanly: $man_warnings"

# No display, so any attempt at a window would fail.
velmora() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/velmora" "$@"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ "$(velmora --version)" = "Velmora $version" ] || fail "--version answers '$(velmora --version)'"
help=$(velmora --help) || fail "--help ended with an error"
for expected in "Usage: " "--help" "--version" "[file]"; do
  grep -qF -- "$expected" <<<"$help" || fail "--help does not mention '$expected': $help"
done
refused() {
  local answer
  if answer=$(velmora "${@:2}" 2>&1); then
    fail "velmora ${*:2} was accepted"
  fi
  grep -qF -- "$1" <<<"$answer" || fail "velmora ${*:2} answered '$answer'"
}
refused "Unknown option 'no-such-option'" --no-such-option
refused "one database file named brevoxal.mdb" notes.txt
echo "PASS: the installed files are complete and valid; the command line answers without a display"

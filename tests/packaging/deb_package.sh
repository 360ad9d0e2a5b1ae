#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what apt would install: the file list,
# the run-time dependencies found by dpkg-shlibdeps, and the packaged program itself.
# Usage: deb_package.sh <build folder>
source "$(dirname "$0")/check_bed.sh"

(cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log") || {
  cat "$scratch/cpack.log" >&2
  fail "cpack -G DEB"
}
debs=("$scratch"/velmora_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single velmora_*.deb"
deb=${debs[0]}

diff -u "$here/installed-files.txt" \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | LC_ALL=C sort) ||
  fail "the package's files are not those of installed-files.txt"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libsqlite3-0 libqt6svg6 \
  fonts-liberation2; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
apt-get install --simulate --quiet "$deb" >"$scratch/apt.log" 2>&1 || {
  cat "$scratch/apt.log" >&2
  fail "apt cannot resolve the package's dependencies"
}

dpkg-deb -x "$deb" "$scratch/root"
version=$(dpkg-deb -f "$deb" Version)
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/root/usr/bin/velmora" --version)
[ "$answer" = "Velmora $version" ] || fail "the packaged program answers '$answer' to --version"
echo "PASS: $(basename "$deb") holds the program and its desktop files and depends on: $depends"

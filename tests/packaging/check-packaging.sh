#!/usr/bin/env bash
# The desktop entry and the AppStream file pass their validators, and `cmake --install` into a temporary
# prefix holds the installed layout; the installed programs find their translations there and keep their
# data in the XDG folder, not in bin/.
# Arguments: source folder, build folder.
set -euo pipefail
SRC="$1"
BUILD="$2"
ID=io.github.pitchbook.Pitchbook
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@" >/tmp/check-packaging.$$ 2>&1; then
    echo "ok:   $what"
  else
    echo "FAIL: $what"; sed 's/^/      /' /tmp/check-packaging.$$
    failures=$((failures + 1))
  fi
  rm -f /tmp/check-packaging.$$
}

check "desktop entry passes desktop-file-validate" desktop-file-validate "$SRC/packaging/$ID.desktop"
check "metainfo passes appstreamcli validate" appstreamcli validate --no-net "$SRC/packaging/$ID.metainfo.xml"

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
PREFIX="$TMP/prefix"
check "cmake --install into a temporary prefix" cmake --install "$BUILD" --prefix "$PREFIX"

expected=(
  bin/pitchbook-cli
  share/pitchbook/locale/de/LC_MESSAGES/default.mo
  share/applications/$ID.desktop
  share/metainfo/$ID.metainfo.xml
  share/icons/hicolor/scalable/apps/$ID.svg
  share/icons/hicolor/48x48/apps/$ID.png
  share/icons/hicolor/256x256/apps/$ID.png
  share/doc/pitchbook/LICENSE
  share/doc/pitchbook/copyright
)
# Installed only where the build has them: the desktop program, and the files written by other parts.
if grep -q '^PITCHBOOK_BUILD_UI:BOOL=ON' "$BUILD/CMakeCache.txt"; then expected+=(bin/pitchbook); fi
[ -f "$SRC/NEWS" ] && expected+=(share/pitchbook/NEWS)
expected+=(share/pitchbook/Goal.mp3)
[ -f "$SRC/packaging/pitchbook-cli.1" ] && expected+=(share/man/man1/pitchbook-cli.1)
[ -f "$SRC/packaging/pitchbook-cli.bash-completion" ] && expected+=(share/bash-completion/completions/pitchbook-cli)
for f in "${expected[@]}"; do
  check "installed $f" test -s "$PREFIX/$f"
done
check "48 px icon is 48x48" bash -c "file '$PREFIX/share/icons/hicolor/48x48/apps/$ID.png' | grep -q '48 x 48'"
check "256 px icon is 256x256" bash -c "file '$PREFIX/share/icons/hicolor/256x256/apps/$ID.png' | grep -q '256 x 256'"

# The installed command line, run away from the build tree: German texts come from the installed catalogue,
# and without --home or PITCHBOOK_HOME its program folder is $XDG_DATA_HOME/pitchbook.
run_installed() {
  env -i PATH=/usr/bin:/bin HOME="$TMP/home" XDG_DATA_HOME="$TMP/xdg" LANG=C.UTF-8 "$@"
}
speaks_german() {
  run_installed LANGUAGE=de LC_ALL=C.UTF-8 "$PREFIX/bin/pitchbook-cli" demo --help | grep -q 'Beispiel-Programmordner'
}
uses_xdg_folder() {
  run_installed "$PREFIX/bin/pitchbook-cli" archive >/dev/null 2>&1 || true
  test -d "$TMP/xdg/pitchbook" && test ! -e "$PREFIX/bin/History" && test ! -e "$PREFIX/bin/Preferences.xml"
}
check "installed program speaks German from share/pitchbook/locale" speaks_german
check "installed program keeps its data in the XDG folder" uses_xdg_folder

echo "packaging: $failures failed"
[ "$failures" -eq 0 ]

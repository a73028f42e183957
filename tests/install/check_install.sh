#!/usr/bin/env bash
# Installs the build into a temporary staging folder (as the package does, prefix /usr) and
# checks what a desktop needs to list and start the program: `files`. With `package`, builds
# the Debian package from the same build and checks its file list and dependencies.
set -euo pipefail
mode=$1 build=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

check_files() {
  DESTDIR="$stage/root" cmake --install "$build" --prefix /usr >/dev/null
  local usr=$stage/root/usr
  local launcher=$usr/share/applications/org.pelmix.Pelmix.desktop
  desktop-file-validate "$launcher"
  # Also checks that the metainfo's launchable names an installed launcher.
  appstreamcli validate-tree --no-net "$usr"

  # What the application menu runs and shows must resolve inside the installed tree.
  local key value
  for key in Exec TryExec Icon; do
    value=$(sed -n "s/^$key=//p" "$launcher")
    case $key in
      Icon) [ -s "$usr/share/icons/hicolor/scalable/apps/$value.svg" ] || fail "no scalable icon $value" ;;
      *) [ -x "$usr/bin/${value%% *}" ] || fail "$key=$value is not an installed program" ;;
    esac
  done
  [ -s "$usr/share/icons/hicolor/symbolic/apps/pelmix-symbolic.svg" ] || fail "no symbolic icon"
  grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/pelmix.svg" || fail "the icon is no SVG"

  # The manual page renders without warnings and names every option the program's help lists.
  local manual help option
  manual=$(LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings -l "$usr/share/man/man1/pelmix.1.gz" 2>&1) || fail "man failed"
  ! grep -q 'warning' <<<"$manual" || fail "the manual page has warnings: $manual"
  help=$("$build/bin/pelmix" --help)
  for option in $(grep -o -- '--[a-z]*' <<<"$help" | sort -u); do
    grep -q -- "$option" <<<"$manual" || fail "the manual page lacks $option"
  done
  # The completion offers the command and the export's options.
  bash -c "source '$usr/share/bash-completion/completions/pelmix' &&
           COMP_WORDS=(pelmix export --f); COMP_CWORD=2; _pelmix && [[ \"\${COMPREPLY[*]}\" == '--format --from' ]]" ||
    fail "the bash completion does not complete export's options"
}

check_package() {
  cpack --config "$build/CPackConfig.cmake" -B "$stage" >/dev/null
  local deb
  deb=$(ls "$stage"/pelmix_*.deb)
  local files
  files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$')
  local expected="./usr/bin/pelmix
./usr/share/applications/org.pelmix.Pelmix.desktop
./usr/share/bash-completion/completions/pelmix
./usr/share/icons/hicolor/scalable/apps/pelmix.svg
./usr/share/icons/hicolor/symbolic/apps/pelmix-symbolic.svg
./usr/share/man/man1/pelmix.1.gz
./usr/share/metainfo/org.pelmix.Pelmix.metainfo.xml"
  [ "$(sort <<<"$files")" = "$expected" ] || fail "unexpected package contents:
$files"
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  # dpkg-shlibdeps ran (the Qt libraries are there) and the run-time-loaded pieces were added.
  for needed in libqt6widgets6 libqt6dbus6 libx11-6 libxi6 fonts-materialdesignicons-webfont libqt6svg6 \
    qt6-wayland; do
    grep -qw "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
  done
  # Stripped: the debug information of the build does not ship.
  dpkg-deb -x "$deb" "$stage/unpacked"
  file "$stage/unpacked/usr/bin/pelmix" | grep -q ', stripped' || fail "the program is not stripped"
}

case $mode in
  files) check_files ;;
  package) check_package ;;
  *) fail "unknown mode $mode" ;;
esac
echo "OK: $mode"

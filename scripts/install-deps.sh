#!/usr/bin/env bash
# Installs the Debian packages Pelmix needs to build, run and test, but only those
# that are missing. Both `make run` and `make test` call this.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libqt6dbus6 qt6-wayland
  libgl-dev libxkbcommon-dev
  nlohmann-json3-dev
  libx11-dev libxi-dev libxtst-dev libx11-xcb-dev libxcb1-dev
  libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols mutter
  xvfb xdotool x11-utils jwm
  dbus dbus-x11
  desktop-file-utils xdg-user-dirs appstream dpkg-dev file man-db
  fonts-dejavu-core fonts-materialdesignicons-webfont
  imagemagick xfce4-panel lxqt-panel mate-panel mate-indicator-applet ayatana-indicator-application
  dconf-cli dconf-service sway grim weston gnome-shell gnome-shell-extension-appindicator python3-gi
  kwin-wayland libfaketime
  libpipewire-0.3-dev libglib2.0-dev pipewire pipewire-bin wireplumber wmctrl dunst
  xfce4-notifyd xfconf libpulse-dev pulseaudio-utils pipewire-pulse
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

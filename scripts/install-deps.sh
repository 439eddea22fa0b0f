#!/usr/bin/env bash
# Installs every Debian package Delvix needs to build, run and test.
# Idempotent: packages already present are skipped; runs apt only when something is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # libraries the program links or loads
  libpugixml-dev libjsoncpp-dev libcurl4-openssl-dev libssl-dev ca-certificates
  zlib1g-dev libminizip-dev libglew-dev libgl-dev libglu1-mesa-dev libplib-dev
  libsdl2-dev libgtk-3-dev libnotify-dev libopenal1
  # opening folders and pages with the desktop's opener
  xdg-utils
  # asset generators (fonts rendered with FreeType from a free font)
  libfreetype-dev fonts-dejavu-core fonts-texgyre
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev libsquish-dev libassimp-dev assimp-utils
  xvfb xauth xdotool x11-utils libgl1-mesa-dri mesa-utils imagemagick python3 python3-pil
  # Info-ZIP unzip: the peer of the IWD extraction benchmark
  unzip
  # update tests: a local HTTPS server with a certificate authority made by the test
  openssl
  # SDL's X11 message box draws with core X fonts; window-manager tests run openbox
  xfonts-base openbox
  # tray tests: an XEmbed tray host, a private D-Bus session and a stand-in notification server
  trayer dbus python3-dbus python3-gi
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q </dev/null
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null

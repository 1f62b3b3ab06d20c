#!/usr/bin/env bash
# Installs what building, testing and running Vantrel need on Debian 12, if it is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils at-spi2-core dbus-daemon python3-pyatspi jwm xclip
  locales
  imagemagick
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number tests run under a locale whose decimal mark is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

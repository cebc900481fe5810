#!/usr/bin/env bash
# Installs the Debian packages Velkscope builds and runs with, only those missing.
set -euo pipefail

packages=(
  make cmake g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic
  clang libclang-rt-14-dev
  python3 ninja-build lld
  poppler-utils
  dpkg-dev file lintian desktop-file-utils appstream
  tshark
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}"
echo "wireshark-common wireshark-common/install-setuid boolean false" | $SUDO debconf-set-selections
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

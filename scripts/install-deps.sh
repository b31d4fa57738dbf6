#!/usr/bin/env bash
# Installs, from Debian's packages, whatever this machine lacks to build, test and run the workbench.
set -euo pipefail
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libtomlplusplus-dev nlohmann-json3-dev qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev fonts-dejavu-core fonts-noto-cjk librsvg2-bin xvfb xauth
          clang libclang-rt-14-dev emscripten chromium time neovim)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
# Node and npm may come from Debian or from elsewhere; either will do.
command -v npm > /dev/null || missing+=(nodejs npm)
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"

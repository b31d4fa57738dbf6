#!/usr/bin/env bash
# Builds the browser edition into build-web/ (or the folder given):
#   comet-workbench.html     the whole workbench in one self-contained page
#   wasm/comet-workbench.js  the headless program (--script, --run) for Node
# Installs what is missing first: Debian's emscripten and the page's npm packages.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-web}
scripts/install-deps.sh
# Debian's emscripten finds its Node modules (acorn) there, whichever Node runs it.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
  (cd web && npm ci --no-audit --no-fund)
fi
mkdir -p "$out"
emcmake cmake -S web -B "$out/wasm" -DCOMET_WERROR=ON > "$out/configure.log" 2>&1 || { cat "$out/configure.log"; exit 1; }
cmake --build "$out/wasm" -j"$(nproc)"
node web/build.mjs "$out"

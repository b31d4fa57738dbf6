#!/usr/bin/env bash
# Builds the workbench and runs every test, then builds the browser edition and runs its
# tests (the golden sessions replayed in WebAssembly under Node, the page in headless
# Chromium), then builds and runs the core's tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each fuzzer for a minute on its committed corpus
# (a finding fails the script). The editors' protocols run against real clients after ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -DCOMET_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The editors' protocols against real clients (Neovim's LSP client, VS Code's DAP client),
# and the VS Code extension's package.
(cd tests/protocols && npm ci --no-audit --no-fund && node --test)
(cd editors/vscode && npm ci --no-audit --no-fund && npm run package && node --test tests/)

scripts/build-web.sh build-web
(cd web && node --test --test-timeout=300000 tests/)

cmake -S . -B build-sanitize -DCOMET_WERROR=ON -DCOMET_SANITIZE=ON -DCOMET_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

CXX=clang++ cmake -S . -B build-fuzz -DCOMET_WERROR=ON -DCOMET_FUZZ=ON -DCOMET_QT=OFF -DCOMET_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_assembler fuzz_engine fuzz_session fuzz_protocol fuzz_cases
for target in assembler engine session protocol cases; do
  fuzz/run.sh build-fuzz "$target" 60
done

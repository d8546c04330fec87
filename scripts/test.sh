#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. the full build (programs, Qt tests, end-to-end tests) with CTest, with a
#      throwaway PostgreSQL cluster for the journal's server test;
#   2. the core and serial tests again under AddressSanitizer and UBSan;
#   3. the reader-thread tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
# The journal's server test gets a PostgreSQL cluster of its own.
scripts/with-postgres.sh ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOVA_BUILD_GUI=OFF \
      -DKOVA_BUILD_BENCH=OFF "-DKOVA_SANITIZE=address;undefined"
cmake --build build-asan -j"$jobs" --target sanitizer_tests
ctest --test-dir build-asan --output-on-failure -j"$jobs" -L sanitize

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOVA_BUILD_GUI=OFF \
      -DKOVA_BUILD_BENCH=OFF -DKOVA_SANITIZE=thread
cmake --build build-tsan -j"$jobs" --target thread_tests
ctest --test-dir build-tsan --output-on-failure -L thread

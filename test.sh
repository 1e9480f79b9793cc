#!/usr/bin/env bash
# Builds and runs every test: a Debug build with warnings as errors under
# AddressSanitizer + UndefinedBehaviorSanitizer, the whole suite run under the
# C locale and again under the Russian one (decimal comma), then the link and
# meter tests (the search and the worker's thread) under ThreadSanitizer. One
# sanitized build serves both locales: a second, plain build would find nothing
# the sanitized one misses and would double the time.
# Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
# The leak checker's scan of dynamically loaded libraries' thread-local storage crashes on this
# glibc with the print and SQL plugins loaded; thread-local caches are not leaks of ours.
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp:use_tls=0

summaries=()
status=0

build() { # name build-dir cmake-options...
  local name=$1 dir=$2; shift 2
  echo "=== $name: build ==="
  if ! cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLMR_WERROR=ON "$@" >/dev/null; then
    summaries+=("$name: configure failed"); status=1; return 1
  fi
  if ! cmake --build "$dir" -j "$jobs"; then
    summaries+=("$name: build failed"); status=1; return 1
  fi
}

run_tests() { # name build-dir locale
  local name=$1 dir=$2 locale=$3
  echo "=== $name ($locale) ==="
  local log="$dir/ctest-$locale.log"
  (cd "$dir" && LC_ALL=$locale LANG=$locale ctest --output-on-failure -j "$jobs" --timeout 600) 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  [ "$rc" -eq 0 ] || status=1
  summaries+=("$name ($locale): $(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)")
}

if build "asan+ubsan" build/asan -DLMR_SANITIZE=ON; then
  run_tests "asan+ubsan" build/asan C.UTF-8
  run_tests "asan+ubsan" build/asan ru_RU.UTF-8
fi
if build "tsan (link, meter)" build/tsan -DLMR_TSAN=ON -DLMR_BENCH=OFF; then
  run_tests "tsan (link, meter)" build/tsan C.UTF-8
fi

echo
printf '%s\n' "${summaries[@]}"
exit $status

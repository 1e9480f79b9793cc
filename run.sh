#!/usr/bin/env bash
# Builds the program (Release) and starts it. By default a simulated meter is
# started on a pseudo-terminal and the program is pointed at it; with --real
# the program searches the machine's own serial ports.
set -euo pipefail
cd "$(dirname "$0")"
real=0
for a in "$@"; do
  case "$a" in
    --real) real=1 ;;
    -h|--help) echo "usage: ./run.sh [--real]"; exit 0 ;;
    *) echo "unknown option: $a" >&2; exit 2 ;;
  esac
done

./scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLMR_TESTS=OFF -DLMR_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)"

if [ "$real" -eq 1 ]; then
  exec build/release/src/app/lmr
fi

port="$PWD/build/release/sim-port"
rm -f "$port"
build/release/tools/sim/lmr-sim --link "$port" --model 24 --walk --logger 120 --baud 9600 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$port" ] && break; sleep 0.1; done
LMR_PORTS="$port" build/release/src/app/lmr

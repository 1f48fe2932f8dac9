#!/usr/bin/env bash
# Fuzzes every parser of untrusted bytes: builds the libFuzzer targets of fuzz/ with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz, and runs each for SECONDS
# (default 60) on a scratch copy of its seed corpus in tests/data/fuzz/<target>/, with the
# dictionary fuzz/<target>.dict where the format has one.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# A crash, a sanitizer report, an exception other than our own errors, an input that
# runs over 10 s or takes over 2 GB is a finding: the target goes on fuzzing, and the
# input is kept in build-fuzz/findings/<target>/. Once the fault is fixed, the input
# belongs in tests/data/fuzz/<target>/, where the replay test runs it on every build.
# NUVEX_FUZZ_PARALLEL (default 2) targets run at the same time, one core each.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
all_targets=(text microdvd docx xlsx doc xls rtf wordml2003 spreadsheetml2003 html csv encrypted title project attributes)
if (($# > 0)); then targets=("$@"); else targets=("${all_targets[@]}"); fi
parallel="${NUVEX_FUZZ_PARALLEL:-2}"

bash scripts/setup.sh
# The compiler and libFuzzer; the ordinary build needs neither.
if ! command -v clang++ >/dev/null || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends clang libclang-rt-dev
fi

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Debug keeps Qt's own assertions (index checks of its containers) in the inline code
# that our libraries compile; -O1 keeps the targets fast enough.
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" \
  -DNUVEX_FUZZ=ON -DNUVEX_BUILD_TESTS=OFF -DNUVEX_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-fuzz -j"$parallel" --target "${targets[@]/#/fuzz_}"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/nuvex-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
findings_root="$PWD/build-fuzz/findings"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

run_target() {
  local target="$1"
  local corpus="$scratch/corpus/$target"
  local findings="$findings_root/$target"
  mkdir -p "$corpus" "$findings"
  cp -r "tests/data/fuzz/$target/." "$corpus/"
  touch "$scratch/$target.start"
  # Inputs kept from findings may be megabytes (deep nesting, packed parts); mutating
  # such sizes would only slow the search, so longer inputs are cut for it.
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
    -artifact_prefix="$findings/" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
  if [ -f "fuzz/$target.dict" ]; then options+=(-dict="fuzz/$target.dict"); fi
  # Fork mode keeps fuzzing after a finding; each input that broke the target is an artifact.
  "build-fuzz/bin/fuzz_$target" "${options[@]}" "$corpus" >"$scratch/$target.log" 2>&1 || true
}

echo "Fuzzing ${targets[*]} for $seconds s each, $parallel at a time; logs in $scratch while running."
running=0
for target in "${targets[@]}"; do
  if ((running >= parallel)); then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
wait || true

printf '\n%-18s %10s %10s %9s\n' target exec/s corpus findings
status=0
for target in "${targets[@]}"; do
  log="$scratch/$target.log"
  # The fork mode's last progress line counts every execution and the seconds so far.
  rate="$(grep -E '^#[0-9]+: cov:' "$log" | tail -1 | sed -E 's/^#([0-9]+):.* time: ([0-9]+)s.*/\1 \2/' |
    awk '$2 > 0 { printf "%d", $1 / $2 }' || true)"
  corpus="$(find "$scratch/corpus/$target" -type f | wc -l)"
  mapfile -t found < <(find "$findings_root/$target" -type f \( -name 'crash-*' -o -name 'timeout-*' -o -name 'oom-*' -o -name 'leak-*' \) -newer "$scratch/$target.start" | sort)
  printf '%-18s %10s %10s %9s\n' "$target" "${rate:-?}" "$corpus" "${#found[@]}"
  for file in "${found[@]}"; do echo "    $file"; done
  if ((${#found[@]} > 0)); then
    status=1
    grep -E 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|SUMMARY|terminate called|what\(\)' "$log" | sort | uniq -c | head -20 | sed 's/^/    /'
    cp "$log" "$findings_root/$target/last-run.log"
  fi
done
exit "$status"

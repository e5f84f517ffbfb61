#!/usr/bin/env bash
# Builds the fuzzers (the "fuzz" preset: clang, libFuzzer, ASan and UBSan)
# and runs each for a bounded time on a working copy of its seed corpus in
# the build tree. Fails when any fuzzer finds a crash, a leak, undefined
# behaviour or a broken invariant; the input that did it is kept in
# build/fuzz/artifacts/.
#
#   scripts/run-fuzzers.sh [seconds per fuzzer, default 60] [fuzzer...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then
  fuzzers=(fuzz_png fuzz_text fuzz_menu)
fi

bash scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build=build/fuzz
rm -rf "$build/corpus" "$build/seeds"
mkdir -p "$build/artifacts"
"$build/fuzz/fuzz_seeds" "$build/seeds"

# The fuzzers' icon and input files: libFuzzer often exits without running
# exit handlers, so the folder is emptied here.
export TMPDIR="$PWD/$build/tmp"
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"
trap 'rm -rf "$TMPDIR"' EXIT

# Mesa's and fontconfig's own allocations that live until exit are not ours.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for name in "${fuzzers[@]}"; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  cp "$build/seeds/$name"/* "$corpus/"
  log="$build/artifacts/$name.log"
  echo "== $name: ${seconds}s"
  # Texts and call sequences longer than 4 KiB add nothing but time. A fixed
  # seed (VRENK_FUZZ_SEED, 1 by default) makes a run repeatable.
  if "$build/fuzz/$name" "$corpus" -seed="${VRENK_FUZZ_SEED:-1}" -max_total_time="$seconds" -max_len=4096 \
      -timeout=30 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done' "$log" || true
  else
    echo "!! $name failed; its log is $log:"
    grep -v -E '^#[0-9]+|^\s+NEW_FUNC' "$log" | tail -40
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "run-fuzzers: found problems in: ${failed[*]} (inputs in $build/artifacts/)" >&2
  exit 1
fi
echo "run-fuzzers: no problems found"

#!/usr/bin/env bash
# Runs one fuzz target for a while from its seeds and says how it went.
#
#   run_target.sh NAME EXECUTABLE SECONDS SEEDS_DIR RUN_DIR [EXTRA FLAGS...]
#
# The corpus grows in a temporary folder (the seeds are only read); the target's output goes to
# RUN_DIR/log.txt and an input that fails is kept as RUN_DIR/crash-* (or timeout-*, leak-*,
# oom-*). A failure prints the target, the input and the command that reproduces it; success
# prints one line of figures: executions, coverage, corpus.
set -uo pipefail
name="$1" exe="$2" seconds="$3" seeds="$4" run_dir="$5"
shift 5

rm -rf "$run_dir"
mkdir -p "$run_dir"
corpus="$(mktemp -d "${TMPDIR:-/tmp}/tovia_fuzz_corpus_${name}_XXXXXX")"
trap 'rm -rf "$corpus"' EXIT
log="$run_dir/log.txt"

# Leaks are faults; UBSan stops at the first report (the build says so too).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:halt_on_error=1"
# libFuzzer keeps its own copy of stderr for itself and the sanitizers (close_fd_mask): the target
# captures the process's stdout and stderr while an input runs.
"$exe" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -seed=1 -print_final_stats=1 -close_fd_mask=3 \
  -artifact_prefix="$run_dir/" "$@" "$corpus" "$seeds" >"$log" 2>&1
status=$?

# An input kept as slow-unit-* only took long; the others (crash, leak, timeout, oom) are faults.
input="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | grep -v '/slow-unit-' | tail -n 1)"
if [ "$status" -ne 0 ] || [ -n "$input" ]; then
  echo "fuzz target $name FAILED (status $status) on input: ${input:-(none written; see the log)}"
  echo "  log: $log"
  [ -n "$input" ] && echo "  reproduce: $exe $input"
  # The report and its stack, or else the end of the log.
  report="$(sed -n '/^tovia fuzz:\|==ERROR\|runtime error:\|ALARM\|ERROR: libFuzzer/,/^$/p' "$log" | head -n 40)"
  echo "${report:-$(tail -n 30 "$log")}" | sed 's/^/  /'
  exit 1
fi
done_line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)"
echo "fuzz target $name passed: ${done_line:-$(tail -n 1 "$log")}"

#!/bin/sh
# Runs one libFuzzer executable for $FUZZ_SECONDS (default 25) from its seeds.
#   run-fuzzer.sh FUZZER SEED_DIR DICT WORK_DIR
# Standard output is closed (-close_fd_mask=1); standard error stays for
# Qt's fatal messages, a failed assertion among them.
# New inputs collect in WORK_DIR/corpus (kept between runs, never in the
# repository); a crash, leak, timeout or out-of-memory input is saved in
# WORK_DIR as crash-*, leak-*, timeout-* or oom-* and the script fails.
# A line of figures (runs, seconds, inputs kept) goes to WORK_DIR/../summary.txt.
set -eu
fuzzer=$1 seeds=$2 dict=$3 work=$4
name=$(basename "$fuzzer")
seconds=${FUZZ_SECONDS:-25}
mkdir -p "$work/corpus"
rm -f "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*
set -- -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -close_fd_mask=1 \
       -print_final_stats=1 -artifact_prefix="$work/"
[ -f "$dict" ] && set -- "$@" -dict="$dict"
# NAME.options beside the dictionary: more libFuzzer flags for that target.
options="${dict%.dict}.options"
# shellcheck disable=SC2046
[ -f "$options" ] && set -- "$@" $(grep -v '^#' "$options")
log="$work/fuzz.log"
status=0
"$fuzzer" "$@" "$work/corpus" "$seeds" >"$log" 2>&1 || status=$?
runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log" | tail -n 1)
corpus=$(ls "$work/corpus" | wc -l)
if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "$name: FAILED (exit $status), input saved in $work:" $(ls "$work" | grep -E '^(crash|leak|timeout|oom)-' || true)
    echo "$name: FAILED (exit $status)" >>"$work/../summary.txt"
    exit 1
fi
echo "$name: ${runs:-no count}, $corpus inputs kept" | tee -a "$work/../summary.txt"

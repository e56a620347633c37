#!/usr/bin/env bash
# Runs every fuzz target for at least a million inputs (ZAV_FUZZ_RUNS to
# change it) and prints, per target, the inputs run, the time taken and
# whether anything broke. A crash leaves its input under build/fuzz-findings.
set -u
source "$(dirname "$0")/../scripts/lib.sh"
zav_install_deps || exit 1
mkdir -p "$ZAV_BUILD"
zav_fuzz_build -DCMAKE_BUILD_TYPE=RelWithDebInfo || exit 1
runs=${ZAV_FUZZ_RUNS:-1000000}
failed=0
for target in "${ZAV_FUZZ_TARGETS[@]}"; do
  start=$(date +%s.%N)
  if line=$(zav_fuzz_run "$target" "$runs"); then verdict="0 crashes"; else verdict="BROKE"; failed=1; fi
  seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.0f", b - a }')
  printf '%-9s %s (%s s wall) %s\n' "$target" "${line:-no summary}" "$seconds" "$verdict"
done
exit $failed

#!/usr/bin/env bash
# Random play against the real board window: 100,000 events (or $EVENTS), with the
# count of events and broken invariants printed at the end, and how often the
# interruptions that matter most came up; it fails if one of them never did.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
cmake --build "$build" --target tst_stress >/dev/null
out=$(QT_QPA_PLATFORM=offscreen TESSALY_STRESS_EVENTS=${EVENTS:-100000} TESSALY_STRESS_SEED=${SEED:-0} \
  "$build/tests/tst_stress" -maxwarnings 0 2>&1) && rc=0 || rc=$?
grep -E 'FAIL|event [0-9]+:' <<<"$out" | head -20 || true
sed -n 's/.*stress: \([0-9]*\) events, \([0-9]*\) broken invariants.*/events: \1, broken invariants: \2/p' <<<"$out"
sed -n 's/.*randomPlayKeepsTheInvariants() \(  [A-Za-z].*: [0-9]*\)$/\1/p' <<<"$out"
exit $rc

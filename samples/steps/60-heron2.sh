#!/usr/bin/env bash
# HERON2 rebuilds the sample river package (a branching river into a
# constant-head lake and a creek whose stages rise downstream): NEWRIVER.RIV,
# the uphill report PROBLEM.SEG, the stage listing RIVERS.STG and the class
# and order maps RIVERS.FL1-3 and RIVERS.OR1-3.
set -euo pipefail
cp "$SAMPLES/heron2/RIVPKG.DAT" "$SAMPLES/heron2/RIVBOUND.ARR" .
printf '%s\n' RIVPKG.DAT RIVBOUND.ARR RIVERS | "$BIN/heron2" | tee HERON2.LOG
echo "HERON2 wrote $OUT/NEWRIVER.RIV ($(($(wc -l <NEWRIVER.RIV) - 2)) records), $OUT/PROBLEM.SEG:"
cat PROBLEM.SEG

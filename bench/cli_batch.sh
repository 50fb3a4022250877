#!/usr/bin/env bash
# Times velmora-cli on a generated CSV batch of mixed shapes with --all and
# --format csv, and reports wall time, rows per second and peak memory.
#   bench/cli_batch.sh PROGRAM [ROWS] [LIMIT_SECONDS] [FLAG...]
# ROWS defaults to 1000000; with LIMIT_SECONDS (empty: none) it fails when
# slower. FLAGs go to velmora-cli too, for instance --torsion.
# Memory must not grow with the batch: the run is repeated with a tenth of
# the rows and the two peaks compared.
set -euo pipefail
program=$1
rows=${2:-1000000}
limit=${3:-}
shift $(( $# < 3 ? $# : 3 ))
flags=("$@")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Every shape in turn, with its thin-wall option on every other row of the
# shapes that have one, and a few rows the calculator or the section check
# rejects, as a real series of trial sections would have.
generate() {
  awk -v rows="$1" 'BEGIN {
    print "shape,v1,v2,v3,v4,thin_wall"
    srand(20261208)
    for (i = 0; i < rows; ++i) {
      s = i % 25
      a = 10 + int(rand() * 90); b = a + 5 + int(rand() * 50)
      c = 5 + int(rand() * 40); d = c + 2 + int(rand() * 30)
      n = (s == 0 || s == 6 || s == 14) ? 2 : (s == 1 || s == 10) ? 3 : \
          (s == 2 || s == 4 || s == 7 || s == 8 || s == 9 || s == 11 || s == 13) ? 1 : \
          (s == 3 || s == 5 || s == 12) ? 2 : 4
      if (s == 15) d = c + (b - a)  # a wall of constant thickness
      if (s == 1) line = s "," a "," b "," c
      else if (s == 10) line = s "," a "," d "," c
      else if (n == 1) line = s "," a
      else if (n == 2) line = s "," a "," b
      else line = s "," a "," b "," c "," d
      for (k = n; k < 4; ++k) line = line ","
      print line "," (i % 2)
    }
  }' > "$2"
}

measure() {  # prints "seconds peak_kib cpu_seconds"
  /usr/bin/time -f '%e %M %U %S' -o "$scratch/time" "$program" --batch "$1" --all "${flags[@]}" --format csv \
    > "$scratch/out.csv" 2> "$scratch/err.txt" || true
  tail -n 1 "$scratch/time"
}

small=$(( rows / 10 > 0 ? rows / 10 : 1 ))
generate "$small" "$scratch/small.csv"
if [ ${#flags[@]} -eq 0 ]; then
  generate "$rows" "$scratch/batch.csv"
else
  # A solve's memory depends on its section, so with extra work per row the
  # long batch repeats the short one's sections: memory must stay flat all
  # the same.
  rows=$(( small * 10 ))
  { head -n 1 "$scratch/small.csv"
    for _ in 1 2 3 4 5 6 7 8 9 10; do tail -n +2 "$scratch/small.csv"; done; } > "$scratch/batch.csv"
fi

read -r _ small_peak _ <<<"$(measure "$scratch/small.csv")"
records=$(( $(wc -l < "$scratch/out.csv") - 1 ))
read -r seconds peak user sys <<<"$(measure "$scratch/batch.csv")"
lines=$(( $(wc -l < "$scratch/out.csv") - 1 ))
rate=$(awk -v r="$rows" -v s="$seconds" 'BEGIN { printf "%.0f", (s > 0 ? r / s : r / 0.01) }')
rejected=$(wc -l < "$scratch/err.txt")
echo "velmora-cli --batch ${flags[*]}: $rows rows in ${seconds} s (CPU: ${user} s user, ${sys} s system), $rate rows/s; peak RSS ${peak} KiB ($small rows: ${small_peak} KiB); $rejected rows with a message"

[ "$lines" -eq "$rows" ] || { echo "FAIL: $lines output records for $rows rows" >&2; exit 1; }
[ "$records" -eq "$small" ] || { echo "FAIL: $records output records for $small rows" >&2; exit 1; }
# Flat memory: ten times the rows may not need noticeably more (2 MiB slack).
[ "$peak" -le $(( small_peak + 2048 )) ] || { echo "FAIL: memory grows with the batch" >&2; exit 1; }
if [ -n "$limit" ]; then
  awk -v s="$seconds" -v l="$limit" 'BEGIN { exit !(s <= l) }' || { echo "FAIL: slower than $limit s" >&2; exit 1; }
fi

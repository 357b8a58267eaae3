#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A class on one machine: a teacher PC and participant PCs, each in a network
# namespace of its own with its own host name, joined by a bridge that lives
# in a further namespace, so that no packet leaves the test. They share one
# communication folder, as a mounted network folder would be.
#   classroom-test.sh TOOL DOCUMENT SCRIPT METHOD PCS COUNT [LESSON-CODE]
# PCS participant computers; on each COUNT participants in one process
# (`join --count COUNT`), or one when COUNT is 0. Every participant must end
# with a complete row ("fertig", nothing open) and one best-list entry, and
# the teacher must leave only the best list behind.
# Exits 77 (skipped) where namespaces cannot be made.
set -euo pipefail

tool=$1 document=$2 script=$3 method=$4 pcs=$5 count=$6 code=${7:-}
skip() {
  echo "SKIPPED: $*"
  exit 77
}

[ "$(id -u)" -eq 0 ] || skip "needs root to make network namespaces"
command -v ip > /dev/null || skip "ip (iproute2) is not installed"
command -v unshare > /dev/null || skip "unshare is not installed"

tag=qv$$
bridge=$tag-br
hosts=(lehrer)
for ((p = 1; p <= pcs; p++)); do hosts+=("pc$p"); done
work=$(mktemp -d)
cleanup() {
  for h in "${hosts[@]}"; do
    ip netns del "$tag-$h" 2> /dev/null || true
    rm -rf "/etc/netns/$tag-$h"
  done
  ip netns del "$bridge" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$bridge" 2> /dev/null || skip "cannot make a network namespace here"
ip -n "$bridge" link add br0 type bridge 2> /dev/null || skip "no bridge support"
ip -n "$bridge" link set br0 up

i=0
for h in "${hosts[@]}"; do
  i=$((i + 1))
  ns=$tag-$h
  ip netns add "$ns"
  ip -n "$ns" link add eth0 type veth peer name port$i netns "$bridge" 2> /dev/null ||
    skip "no veth support"
  ip -n "$bridge" link set port$i master br0
  ip -n "$bridge" link set port$i up
  ip -n "$ns" addr add 10.77.0.$i/24 dev eth0
  ip -n "$ns" link set eth0 up
  ip -n "$ns" link set lo up
done
# Every PC knows the others by name, as a school's name service would tell.
for h in "${hosts[@]}"; do
  mkdir -p "/etc/netns/$tag-$h"
  {
    echo "127.0.0.1 localhost"
    j=0
    for other in "${hosts[@]}"; do
      j=$((j + 1))
      echo "10.77.0.$j $other"
    done
  } > "/etc/netns/$tag-$h/hosts"
done

folder=$work/kom
mkdir -p "$folder"
on() { # on HOST COMMAND...: runs the command as that computer
  local h=$1
  shift
  ip netns exec "$tag-$h" unshare -u sh -c 'hostname "$0"; exec "$@"' "$h" "$@"
}
codeopt=()
[ -n "$code" ] && codeopt=(--lesson-code "$code")
countopt=()
[ "$count" -gt 0 ] && countopt=(--count "$count")
each=$((count > 0 ? count : 1))
total=$((pcs * each))

started=$(date +%s%N)
on lehrer "$tool" teach "$document" --folder "$folder" --method "$method" \
  --participants "$total" --seconds 120 "${codeopt[@]}" > "$work/grid.txt" 2> "$work/teach.err" &
teacher=$!
pids=()
for ((p = 1; p <= pcs; p++)); do
  on "pc$p" "$tool" join --folder "$folder" --method "$method" --name "Kind-pc$p" \
    --script "$script" --seed 1 --wait 20 "${countopt[@]}" "${codeopt[@]}" \
    > "$work/pc$p.out" 2> "$work/pc$p.err" &
  pids+=($!)
done
for pid in "${pids[@]}"; do
  wait "$pid" || {
    echo "a participant failed:"
    cat "$work"/pc*.err
    exit 1
  }
done
wait "$teacher" || {
  echo "the teacher failed:"
  cat "$work/teach.err"
  exit 1
}
ended=$(date +%s%N)

echo "== the teacher's grid"
cat "$work/grid.txt"
fail() {
  echo "FAILED: $*"
  exit 1
}
grid=$(tr -d '\r' < "$work/grid.txt")
rows=$(wc -l <<< "$grid")
[ "$rows" -eq $((total + 1)) ] || fail "expected a header and $total rows, got $rows lines"
for ((p = 1; p <= pcs; p++)); do
  # Rechner is the computer's own host name; names carry the computer's.
  mine=$(awk -F'\t' -v pc="pc$p" 'NR > 1 && $2 == pc' <<< "$grid")
  [ "$(grep -c . <<< "$mine")" -eq "$each" ] || fail "pc$p: expected $each rows"
  while IFS=$'\t' read -r _ _ name status _ _ _ _ _ _ open _; do
    case $name in Kind-pc$p*) ;; *) fail "pc$p: a row of $name" ;; esac
    [ "$status" = fertig ] || fail "$name: not finished ($status)"
    [ "$open" = 0 ] || fail "$name: $open queries open"
  done <<< "$mine"
done
best=$("$tool" bestlist "$folder/MASTER-1-rbknetzuebung.hsc")
echo "== the network best list"
echo "$best"
[ "$(grep -c Kind-pc <<< "$best")" -eq "$total" ] || fail "expected $total best-list entries"
left=$(find "$folder" -type f ! -name '*.hsc' | wc -l)
[ "$left" -eq 0 ] || fail "the teacher left $left exchange files behind"
echo "PASSED: $total participants in $(((ended - started) / 1000000)) ms"

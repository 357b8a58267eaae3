#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A class on one machine: a teacher PC and three participant PCs, each in a
# network namespace of its own with its own host name, joined by a bridge
# that lives in a further namespace, so that no packet leaves the test. They
# share one communication folder, as a mounted network folder would be.
#   classroom-test.sh TOOL DOCUMENT SCRIPT METHOD [LESSON-CODE]
# Exits 77 (skipped) where namespaces cannot be made.
set -euo pipefail

tool=$1 document=$2 script=$3 method=$4 code=${5:-}
skip() { echo "SKIPPED: $*"; exit 77; }

[ "$(id -u)" -eq 0 ] || skip "needs root to make network namespaces"
command -v ip >/dev/null || skip "ip (iproute2) is not installed"
command -v unshare >/dev/null || skip "unshare is not installed"

tag=qv$$
bridge=$tag-br
hosts=(lehrer pc1 pc2 pc3)
work=$(mktemp -d)
cleanup() {
  for h in "${hosts[@]}"; do
    ip netns del "$tag-$h" 2>/dev/null || true
    rm -rf "/etc/netns/$tag-$h"
  done
  ip netns del "$bridge" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$bridge" 2>/dev/null || skip "cannot make a network namespace here"
ip -n "$bridge" link add br0 type bridge || skip "no bridge support"
ip -n "$bridge" link set br0 up

i=0
for h in "${hosts[@]}"; do
  i=$((i + 1))
  ns=$tag-$h
  ip netns add "$ns"
  ip -n "$ns" link add eth0 type veth peer name port$i netns "$bridge"
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

on lehrer "$tool" teach "$document" --folder "$folder" --method "$method" \
  --participants 3 --seconds 60 "${codeopt[@]}" > "$work/grid.txt" 2> "$work/teach.err" &
teacher=$!
pids=()
for p in pc1 pc2 pc3; do
  on "$p" "$tool" join --folder "$folder" --method "$method" --name "Kind-$p" \
    --script "$script" --seed 3 --wait 20 "${codeopt[@]}" > "$work/$p.out" 2> "$work/$p.err" &
  pids+=($!)
done
for pid in "${pids[@]}"; do
  wait "$pid" || { echo "a participant failed:"; cat "$work"/pc*.err; exit 1; }
done
wait "$teacher" || { echo "the teacher failed:"; cat "$work/teach.err"; exit 1; }

echo "== the teacher's grid"
cat "$work/grid.txt"
fail() { echo "FAILED: $*"; exit 1; }
rows=$(tr -d '\r' < "$work/grid.txt" | wc -l)
[ "$rows" -eq 4 ] || fail "expected a header and 3 rows, got $rows lines"
for p in pc1 pc2 pc3; do
  line=$(tr -d '\r' < "$work/grid.txt" | awk -F'\t' -v p="$p" '$2 == p')
  [ -n "$line" ] || fail "no row from computer $p"
  [ "$(cut -f3 <<< "$line")" = "Kind-$p" ] || fail "$p: wrong name in $line"
  [ "$(cut -f4 <<< "$line")" = "fertig" ] || fail "$p: not finished: $line"
done
best=$("$tool" bestlist "$folder/MASTER-1-rbknetzuebung.hsc")
echo "== the network best list"
echo "$best"
[ "$(grep -c Kind- <<< "$best")" -eq 3 ] || fail "expected 3 best-list entries"
left=$(find "$folder" -type f ! -name '*.hsc' | wc -l)
[ "$left" -eq 0 ] || fail "the teacher left $left exchange files behind"
echo "PASSED"

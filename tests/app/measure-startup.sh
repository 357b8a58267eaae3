#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the program to its first paint, with a document open, against a
# minimal Qt Widgets program that shows one empty window, measured the same way
# in the same run: both quit after their first paint (QUORVEL_QUIT_AFTER_FIRST_PAINT)
# and report the time since main() and the wall clock of that paint, from which
# the time since the launch of the process follows.
#
#   tests/app/measure-startup.sh <build folder> <document.qvl> [runs]
#
# Needs a display; without one: xvfb-run -a -s "-screen 0 1280x1024x24" tests/app/measure-startup.sh ...
set -eu
build=$1
document=$2
runs=${3:-15}
export QUORVEL_QUIT_AFTER_FIRST_PAINT=1

measure() {
    launch=$(date +%s%3N)
    line=$("$@" 2>/dev/null | grep 'first paint after')
    inner=$(echo "$line" | sed 's/first paint after \([0-9]*\) ms.*/\1/')
    painted=$(echo "$line" | sed 's/.*wall clock \([0-9]*\) ms.*/\1/')
    echo "$inner $((painted - launch))"
}

i=0
while [ "$i" -lt "$runs" ]; do
    echo "quorvel $(measure "$build/src/app/quorvel" "$document")"
    echo "baseline $(measure "$build/tests/app/quorvel_startup_baseline")"
    i=$((i + 1))
done | awk '
    { since_main[$1] = since_main[$1] " " $2; since_launch[$1] = since_launch[$1] " " $3 }
    function median(list,   n, v, i, j, t) {
        n = split(list, v, " ")
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] + 0 < v[i] + 0) { t = v[i]; v[i] = v[j]; v[j] = t }
        return (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    END {
        qm = median(since_main["quorvel"]); bm = median(since_main["baseline"])
        ql = median(since_launch["quorvel"]); bl = median(since_launch["baseline"])
        printf "median since main():  quorvel %s ms, baseline %s ms, ratio %.2f\n", qm, bm, qm / bm
        printf "median since launch: quorvel %s ms, baseline %s ms, ratio %.2f\n", ql, bl, ql / bl
    }'

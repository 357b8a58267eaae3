#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine for Quorvel, builds it and runs it or its tests.
#   scripts/dev.sh run     build (release) and start the program on the examples;
#                          without a display, draw the examples into PNG files
#                          and replay their exercises instead
#   scripts/dev.sh test    check the formatting, build and run every test:
#                          release, sanitizers, fuzzing (the document reader
#                          and the learning view, 60 seconds each)
#   scripts/dev.sh format  format every source file in place per .clang-format
# QUORVEL_SKIP_FORMAT_CHECK=1 skips the format check of `test` (local use only).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config ccache clang-format
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libgl-dev
  libpng-dev libjpeg-dev zlib1g-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth unrtf xdg-utils
  libcups2-dev cups printer-driver-cups-pdf poppler-utils
  libwmf-bin libreoffice-draw-nogui
  desktop-file-utils appstream qt6-translations-l10n
  dpkg-dev file
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

clang_format() {
  local name
  for name in clang-format-14 clang-format; do
    if command -v "$name" >/dev/null; then
      echo "$name"
      return
    fi
  done
  echo "clang-format is not installed" >&2
  exit 1
}

# Every C++ file we write, NUL-separated.
source_files() {
  find src tools tests bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z
}

check_format() {
  if [ "${QUORVEL_SKIP_FORMAT_CHECK:-}" = 1 ]; then
    echo "Format check skipped (QUORVEL_SKIP_FORMAT_CHECK=1)"
    return
  fi
  local cf report unformatted
  cf=$(clang_format)
  # A broken .clang-format would otherwise show up as every file unformatted.
  "$cf" --dump-config >/dev/null
  if report=$(source_files | xargs -0 "$cf" --dry-run --Werror 2>&1 >/dev/null); then
    echo "Format check passed ($cf)"
    return
  fi
  unformatted=$(grep -e '-Wclang-format-violations' <<<"$report" | cut -d: -f1 | sort -u || true)
  if [ -z "$unformatted" ]; then
    echo "$cf failed:" >&2
    echo "$report" >&2
    exit 1
  fi
  echo "These files are not formatted per .clang-format (scripts/dev.sh format fixes them):" >&2
  sed 's/^/  /' <<<"$unformatted" >&2
  exit 1
}

format_sources() {
  local cf
  cf=$(clang_format)
  source_files | xargs -0 -n 20 -P "$(nproc)" "$cf" -i
}

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j"$(nproc)"
}

# One line per exercise result: the value of "KEY" in the tool's JSON.
json_value() {
  sed -n "s/^    \"$1\": \"\{0,1\}\([^\",]*\)\"\{0,1\},\{0,1\}\$/\1/p" | head -n 1
}

# Without a display the program would run unseen: show its work instead.
# Each example is drawn as the learning view shows it, and its exercise
# script is replayed on the exercise engine.
show_headless() {
  local tool=build/release/tools/quorvel-tool/quorvel-tool out=build/release/examples-shown
  local doc name script json grade word share right wrong
  mkdir -p "$out"
  echo "No display found: Quorvel's work on the examples, without a window."
  for doc in build/release/examples/*.qvl; do
    name=$(basename "$doc" .qvl)
    # As it opens (query fields covered) and with the solution shown.
    if ! QT_QPA_PLATFORM=offscreen "$tool" render "$doc" "$out/$name.png" 2>/dev/null ||
      ! QT_QPA_PLATFORM=offscreen "$tool" render "$doc" "$out/$name-loesung.png" --uncover \
        2>/dev/null; then
      echo "$name: drawing failed"
    fi
    script=examples/$name.script
    [ -f "$script" ] || continue
    if ! json=$(QT_QPA_PLATFORM=offscreen "$tool" exercise "$doc" --seed 1 \
        --start 2026-12-10T10:00:00 --script "$script" --json 2>/dev/null); then
      echo "$name: the exercise could not be replayed"
      continue
    fi
    grade=$(json_value Note <<<"$json")
    word=$(json_value Bewertung <<<"$json")
    share=$(json_value Gesamtleistung <<<"$json")
    right=$(json_value Richtig <<<"$json")
    wrong=$(json_value Fehlversuche <<<"$json")
    printf '%-28s Note %s (%s), Gesamtleistung %s %%, richtig %s, Fehlversuche %s\n' \
      "$name" "$grade" "$word" "$(awk -v v="$share" 'BEGIN { printf "%.0f", v * 100 }')" \
      "$right" "$wrong"
  done
  echo
  echo "The examples as the learning view shows them (1024 x 768, NAME.png as opened,"
  echo "NAME-loesung.png with the solution): $out/"
  echo "On a desktop, start the program with"
  echo "  build/release/src/app/quorvel build/release/examples/sonnensystem.qvl"
  echo "(or scripts/dev.sh run there)."
}

run_program() {
  local exe=build/release/src/app/quorvel
  if [ -x "$exe" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$exe" build/release/examples/sonnensystem.qvl
  fi
  show_headless
}

run_fuzzer() {
  build fuzz
  local corpus=build/fuzz/corpus view_corpus=build/fuzz/view-corpus
  rm -rf "$corpus" "$view_corpus" && mkdir -p "$corpus" "$view_corpus"
  build/release/tests/document/make_fuzz_corpus "$corpus"
  cp build/release/examples/*.qvl "$corpus"/
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=tests/fuzz/lsan.supp \
    build/fuzz/tests/fuzz/document_reader_fuzzer \
    -max_total_time=60 -rss_limit_mb=2048 -print_final_stats=1 "$corpus"
  # The learning view: the same seeds and the documents that once froze it.
  build/release/tests/document/make_fuzz_corpus "$view_corpus" --hostile
  cp build/release/examples/*.qvl "$view_corpus"/
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=tests/fuzz/lsan.supp \
    build/fuzz/tests/fuzz/learning_view_fuzzer \
    -max_total_time=60 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$view_corpus"
}

case "${1:-}" in
  run)
    install_missing
    build release
    run_program
    ;;
  test)
    install_missing
    check_format
    build release
    ctest --preset release -j"$(nproc)"
    build sanitize
    ctest --preset sanitize -j"$(nproc)"
    run_fuzzer
    ;;
  format)
    install_missing
    format_sources
    ;;
  *)
    echo "usage: scripts/dev.sh run|test|format" >&2
    exit 2
    ;;
esac

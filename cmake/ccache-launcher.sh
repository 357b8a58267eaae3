#!/bin/sh
# Compiler launcher: runs one compile through ccache (usage: ccache-launcher.sh
# CCACHE COMPILER ARGS...).
#
# ccache hashes a precompiled header again on every compile that uses it; for
# our headers of about 150 MB that costs about a second per file, more than
# half of what the header saves. With pch_external_checksum it hashes the small
# <header>.sum instead. This launcher writes that file in the same build step
# that builds the header, so it is never older than the header it describes.
set -e
CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
CCACHE_PCH_EXTSUM=1
export CCACHE_SLOPPINESS CCACHE_PCH_EXTSUM

ccache=$1
shift

output=
previous=
for arg in "$@"; do
  if [ "$previous" = -o ]; then
    output=$arg
  fi
  previous=$arg
done

case $output in
  *.gch | *.pch)
    rm -f "$output.sum"
    "$ccache" "$@"
    "$ccache" --hash-file "$output" >"$output.sum"
    ;;
  *)
    exec "$ccache" "$@"
    ;;
esac

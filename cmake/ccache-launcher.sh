#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler launcher: runs one compile through ccache (usage: ccache-launcher.sh
# CCACHE COMPILER ARGS...). A fresh clone's files all carry the time of the
# checkout, which ccache would otherwise take as too new to cache against.
set -e
CCACHE_SLOPPINESS=time_macros,include_file_mtime,include_file_ctime
export CCACHE_SLOPPINESS

ccache=$1
shift
exec "$ccache" "$@"

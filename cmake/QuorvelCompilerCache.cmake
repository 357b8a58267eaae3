# SPDX-License-Identifier: GPL-3.0-or-later
# ccache, when installed, caches every compile: rebuilding unchanged files (a
# fresh build folder, the next CI run, the other branch) takes seconds. The
# launcher tells ccache to trust the files of a fresh checkout.
option(QUORVEL_CCACHE "Compile through ccache when it is installed" ON)
if(QUORVEL_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(QUORVEL_CCACHE_PROGRAM ccache)
  if(QUORVEL_CCACHE_PROGRAM)
    set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_CURRENT_LIST_DIR}/ccache-launcher.sh ${QUORVEL_CCACHE_PROGRAM})
  endif()
endif()

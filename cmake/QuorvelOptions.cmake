# SPDX-License-Identifier: GPL-3.0-or-later
# Settings every target of the project links to: the language level, warnings,
# Qt's strict string and keyword switches and, on request, the sanitizers.
add_library(quorvel_options INTERFACE)
target_compile_features(quorvel_options INTERFACE cxx_std_20)
target_compile_options(quorvel_options INTERFACE -Wall -Wextra)
target_compile_definitions(quorvel_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING QT_NO_KEYWORDS
  QT_NO_CAST_FROM_BYTEARRAY)
if(QUORVEL_SANITIZE)
  target_compile_options(quorvel_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quorvel_options INTERFACE -fsanitize=address,undefined)
endif()
if(QUORVEL_FUZZ)
  target_compile_options(quorvel_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(quorvel_options INTERFACE -fsanitize=address,undefined)
endif()
set(CMAKE_AUTOMOC OFF)

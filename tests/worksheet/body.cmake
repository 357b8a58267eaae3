# SPDX-License-Identifier: GPL-3.0-or-later
# The worksheet bodies per document type, and the object drawing they use.
quorvel_add_test(worksheet_body_tests
  ${CMAKE_CURRENT_LIST_DIR}/body_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordingdevice.cpp
  ${PROJECT_SOURCE_DIR}/tests/document/docbuilder.cpp
  ${PROJECT_SOURCE_DIR}/tests/document/hostiledocuments.cpp
)
target_link_libraries(worksheet_body_tests PRIVATE quorvel_worksheet)
target_include_directories(worksheet_body_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/document)

# Draws the body of a document into a PNG, to look at the sheets by eye:
# worksheet_body_png DOCUMENT OUT.png [KIND]
add_executable(worksheet_body_png ${CMAKE_CURRENT_LIST_DIR}/bodypng.cpp)
target_link_libraries(worksheet_body_png PRIVATE quorvel_worksheet)

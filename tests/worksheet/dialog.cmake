# SPDX-License-Identifier: GPL-3.0-or-later
# The worksheet's stored settings and export, headless; the dialogs
# "Arbeitsblatt" and "Arbeitsblatt drucken" alone and in the main window of
# the shell fixture.
quorvel_add_test(worksheet_storage_tests
  worksheetstorage_test.cpp
  worksheetexport_test.cpp
)
target_link_libraries(worksheet_storage_tests PRIVATE quorvel_worksheet quorvel_print)

if(QUORVEL_BUILD_GUI)
  quorvel_add_widget_test(worksheet_dialog_tests
    worksheetdialog_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/app/shellfixture.cpp
  )
  target_compile_definitions(worksheet_dialog_tests
    PRIVATE QUORVEL_EXAMPLES_SOURCE="${PROJECT_SOURCE_DIR}/examples")
  target_link_libraries(worksheet_dialog_tests PRIVATE quorvel_app_widgets quorvel_tooling)
  target_include_directories(worksheet_dialog_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/app)
endif()

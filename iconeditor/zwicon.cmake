# ZwIcon.exe: the editor's forms over its file formats, its controls and the forms layer.
add_library(zwicon_lib STATIC
  icon_model.cpp icon_document.cpp settings.cpp zwicon.cpp main_form.cpp icon_form.cpp icon_tools.cpp about_box.cpp
  selector_layout.cpp icon_selector.cpp bitmap_form.cpp main_form_files.cpp)
target_include_directories(zwicon_lib PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zwicon_lib PUBLIC zw_controls zw_iconfile shell32 advapi32)

zw_resource_depends(zwicon.rc tests/zwicon_test.rc)
add_executable(ZwIcon WIN32 winmain.cpp zwicon.rc)
target_link_libraries(ZwIcon PRIVATE zwicon_lib sw_small_runtime)
sw_deliver(ZwIcon GUI)

sw_add_test(zwicon_tests
  SOURCES tests/model_test.cpp tests/document_test.cpp tests/editor_test.cpp tests/tools_test.cpp tests/zwicon_test.rc
  LIBS zwicon_lib LOCK desktop TIMEOUT 600)

# Drives a running ZwIcon for screenshots (not delivered).
add_executable(zwicon_shot tests/screenshot_driver.cpp)

# The icon selector and the import dialog on real windows.
sw_add_test(zwicon_selector_tests
  SOURCES tests/selector_test.cpp tests/zwicon_test.rc
  LIBS zwicon_lib LOCK desktop TIMEOUT 300)
if(TARGET SKY32V3C)
  sw_copy_beside(zwicon_selector_tests SKY32V3C)
endif()

# Shows the selector or the import dialog for screenshots (not delivered).
add_executable(zwicon_selector_shot WIN32 tests/selector_shot.cpp zwicon.rc)
target_link_libraries(zwicon_selector_shot PRIVATE zwicon_lib)

# Types keys into the focused window, for looking at the dialogs driven from the keyboard (not delivered).
add_executable(zwicon_keys tests/key_driver.cpp)

# The file commands on the editor's real windows.
sw_add_test(zwicon_files_tests
  SOURCES tests/commands_test.cpp tests/program_test.cpp tests/zwicon_test.rc
  LIBS zwicon_lib LOCK desktop TIMEOUT 300)
target_include_directories(zwicon_files_tests PRIVATE iconfile/tests)
sw_copy_beside(zwicon_files_tests zw_three_icons ZwIcon)
if(TARGET SKY32V3C)
  sw_copy_beside(zwicon_files_tests SKY32V3C)
endif()

# A screenshot helper: a program's icon opened by index and edited (not delivered).
add_executable(zwicon_open_shot tests/open_shot.cpp zwicon.rc)
target_link_libraries(zwicon_open_shot PRIVATE zwicon_lib)

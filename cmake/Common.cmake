# Shared settings and helpers for every subsystem.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 1252")

# dist/ holds the i686 files, dist/x64/ the x86_64 ones. A developer's separate build tree may
# put its own dist elsewhere (SW_DIST_ROOT).
set(SW_DIST_ROOT ${CMAKE_SOURCE_DIR}/dist CACHE PATH "Where the built files go")
if(SW_ARCH STREQUAL "i686")
  set(SW_DIST_DIR ${SW_DIST_ROOT})
else()
  set(SW_DIST_DIR ${SW_DIST_ROOT}/x64)
endif()
set(SW_MANIFEST_DIR ${CMAKE_BINARY_DIR}/manifest)
file(MAKE_DIRECTORY ${SW_MANIFEST_DIR})

add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 NOMINMAX STRICT)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers -Wno-cast-function-type
                    -ffunction-sections -fdata-sections
                    $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
endif()
set(CMAKE_CXX_FLAGS_RELEASE "-O2")
set(CMAKE_C_FLAGS_RELEASE "-O2")
# Everything links statically: a program or library imports system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections)

# Converts a host path to the path a Windows program sees under Wine (drive Z: is /).
function(sw_winpath out path)
  string(REPLACE "/" "\\\\" p "${path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()

# sw_deliver(target [DEF file.def] [SUBDIR dir] [GUI])
# Puts a delivered file (or stand-in) into dist/ (dist/x64/ for x86_64), stripped, and records it
# for the check of architectures, imports and exports.
function(sw_deliver target)
  cmake_parse_arguments(D "GUI" "DEF;SUBDIR" "" ${ARGN})
  set(dir ${SW_DIST_DIR})
  if(D_SUBDIR)
    set(dir ${SW_DIST_DIR}/${D_SUBDIR})
  endif()
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${dir}
    LIBRARY_OUTPUT_DIRECTORY ${dir}
    PREFIX "")
  target_link_options(${target} PRIVATE -s)
  if(D_GUI)
    target_link_options(${target} PRIVATE -mwindows)
  endif()
  set(def "-")
  if(D_DEF)
    get_filename_component(def ${D_DEF} ABSOLUTE)
    target_sources(${target} PRIVATE ${def})
    set_target_properties(${target} PROPERTIES LINK_DEPENDS ${def})
  endif()
  file(GENERATE OUTPUT ${SW_MANIFEST_DIR}/${target}.txt CONTENT "$<TARGET_FILE:${target}> ${def}\n")
endfunction()

# sw_add_test(name SOURCES ... LIBS ... [LOCK lock] [TIMEOUT s] [ENV VAR=value ...])
# One test program (many GoogleTest tests in it), run by CTest through Wine.
function(sw_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LOCK;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} sw_testsupport gtest)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCK}")
  endif()
  if(T_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENV}")
  endif()
endfunction()

# sw_copy_beside(target file_target...)
# Keeps copies of built files (DLLs, programs) beside a test program, refreshed whenever they
# are rebuilt, so the test loads them by name as the real programs do.
function(sw_copy_beside target)
  foreach(dep ${ARGN})
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_${dep}.copied)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${dep}> $<TARGET_FILE_DIR:${target}>
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${dep} $<TARGET_FILE:${dep}>)
    add_custom_target(${target}_copy_${dep} ALL DEPENDS ${stamp})
    add_dependencies(${target} ${target}_copy_${dep})
  endforeach()
endfunction()

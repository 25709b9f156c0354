# Helpers that give every program, library and test of the system the same shape.

set(FYX_BIN_DIR  ${CMAKE_BINARY_DIR}/bin)
set(FYX_TEST_DIR ${CMAKE_BINARY_DIR}/tests)

# Version resource from one template: description, file name and version text.
function(fyx_version_resource target description filename version)
  string(REPLACE "." "," _commas "${version}")
  string(REGEX MATCHALL "[0-9]+" _parts "${version}")
  list(LENGTH _parts _n)
  while(_n LESS 4)
    list(APPEND _parts 0)
    list(LENGTH _parts _n)
  endwhile()
  list(JOIN _parts "," FYX_VERSION_COMMAS)
  set(FYX_VERSION_TEXT "${version}")
  set(FYX_DESCRIPTION "${description}")
  set(FYX_FILENAME "${filename}")
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${_rc} @ONLY)
  target_sources(${target} PRIVATE ${_rc})
endfunction()

function(fyx_common_options target)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    get_target_property(_type ${target} TYPE)
    if(NOT _type STREQUAL "STATIC_LIBRARY" AND NOT _type STREQUAL "OBJECT_LIBRARY")
      target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/tick_count_compat.c)
    endif()
  endif()
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0501 WINVER=0x0501)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers>)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# A shipped GUI program: wWinMain, lands in bin/.
function(fyx_program target output description version)
  add_executable(${target} WIN32 ${ARGN})
  fyx_common_options(${target})
  target_link_options(${target} PRIVATE -municode)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output}
    RUNTIME_OUTPUT_DIRECTORY ${FYX_BIN_DIR})
  fyx_version_resource(${target} "${description}" "${output}.exe" "${version}")
endfunction()

# A shipped DLL of ours: plain C exports, no lib prefix, lands in bin/.
function(fyx_library target output description version)
  add_library(${target} SHARED ${ARGN})
  fyx_common_options(${target})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output} PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${FYX_BIN_DIR})
  fyx_version_resource(${target} "${description}" "${output}.dll" "${version}")
endfunction()

# A GoogleTest program, run by ctest under wine. Lands in tests/.
# Without tests the target still exists (so callers may add to it) but is never built.
function(fyx_test target)
  if(NOT FYX_BUILD_TESTS)
    add_executable(${target} EXCLUDE_FROM_ALL ${ARGN})
    return()
  endif()
  add_executable(${target} ${ARGN})
  fyx_common_options(${target})
  target_link_options(${target} PRIVATE -municode)
  target_link_libraries(${target} PRIVATE fyx_testkit gtest)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${FYX_TEST_DIR})
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES TIMEOUT 300)
endfunction()

# Test helpers shared by every subsystem.
#
#   stellwick_unit_test(name SOURCES a.cpp ... [LIBS ...])
#       host GoogleTest executable over the platform-neutral core.
#   stellwick_win_test(name SOURCES a.cpp ... [LIBS ...] [ENV K=V ...]
#                      [WINE_ARCH win64|win32] [WINE_VERSION win10|win81|...]
#                      [TIMEOUT seconds] [NO_GTEST])
#       i686 GoogleTest executable run by ctest under Wine (scripts/wine-run).
#   stellwick_add_test_dirs(dir)  adds dir and every child folder holding a CMakeLists.txt.
#
# Every GoogleTest run writes its XML report into ${STELLWICK_RESULTS_DIR}; scripts/test
# adds the reports up into its closing line.

set(STELLWICK_RESULTS_DIR ${CMAKE_BINARY_DIR}/test-results CACHE PATH "GoogleTest XML reports")
set(STELLWICK_WINE_ROOT ${CMAKE_BINARY_DIR}/wine CACHE PATH "Folder of the throwaway Wine prefixes")
file(MAKE_DIRECTORY ${STELLWICK_RESULTS_DIR})

if(WIN32)
  if(NOT TARGET gtest)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
  set(STELLWICK_GTEST_MAIN gtest_main gmock)
else()
  find_package(GTest REQUIRED)
  set(STELLWICK_GTEST_MAIN GTest::gtest_main GTest::gmock)
endif()

function(stellwick_add_test_dirs dir)
  set(abs ${CMAKE_SOURCE_DIR}/${dir})
  if(EXISTS ${abs}/CMakeLists.txt)
    add_subdirectory(${abs} ${CMAKE_BINARY_DIR}/${dir})
  else()
    file(GLOB children LIST_DIRECTORIES true ${abs}/*)
    list(SORT children)
    foreach(child ${children})
      if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
        file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${child})
        add_subdirectory(${child} ${CMAKE_BINARY_DIR}/${rel})
      endif()
    endforeach()
  endif()
endfunction()

function(stellwick_unit_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE stellwick_core ${T_LIBS} ${STELLWICK_GTEST_MAIN})
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${STELLWICK_RESULTS_DIR}/${name}.xml)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS unit)
endfunction()

function(stellwick_win_test name)
  cmake_parse_arguments(T "NO_GTEST" "WINE_ARCH;WINE_VERSION;TIMEOUT" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_NO_GTEST)
    target_link_libraries(${name} PRIVATE stellwick_win ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
  else()
    target_link_libraries(${name} PRIVATE stellwick_win ${T_LIBS} ${STELLWICK_GTEST_MAIN})
    # Wine maps the Unix root to Z:, so the report path is written as Z:/...
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:Z:${STELLWICK_RESULTS_DIR}/${name}.xml)
  endif()
  if(NOT T_WINE_ARCH)
    set(T_WINE_ARCH win64)
  endif()
  if(NOT T_WINE_VERSION)
    set(T_WINE_VERSION win10)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set(env STELLWICK_WINE_ROOT=${STELLWICK_WINE_ROOT}
          STELLWICK_WINE_ARCH=${T_WINE_ARCH}
          STELLWICK_WINE_VERSION=${T_WINE_VERSION}
          STELLWICK_SOURCE_DIR=${CMAKE_SOURCE_DIR}
          STELLWICK_BINARY_DIR=${CMAKE_BINARY_DIR}
          ${T_ENV})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${env}"
    LABELS "wine;${T_LABELS}"
    # Tests of one build share Wine prefixes and a registry: one at a time.
    RESOURCE_LOCK wine)
endfunction()

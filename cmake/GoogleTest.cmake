# The project's include(GoogleTest): CMake's own module, with gtest_discover_tests made to give
# every test it adds the suite's temporary folder (KALMENO_TEST_PROPERTIES, set by the top
# CMakeLists). This file shadows the standard module through CMAKE_MODULE_PATH, so a test program
# added anywhere, by any folder that includes GoogleTest, cannot be left out of the check that
# the suite leaves nothing behind.
include_guard(GLOBAL)
include(${CMAKE_ROOT}/Modules/GoogleTest.cmake)

function(gtest_discover_tests target)
  set(args ${ARGN})
  list(FIND args PROPERTIES at)
  if(at EQUAL -1)
    list(APPEND args PROPERTIES ${KALMENO_TEST_PROPERTIES})
  else()
    math(EXPR at "${at} + 1")
    list(INSERT args ${at} ${KALMENO_TEST_PROPERTIES})
  endif()
  _gtest_discover_tests(${target} ${args})
endfunction()

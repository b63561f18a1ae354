# nerin_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
#
# Adds a GoogleTest executable and registers each of its cases with CTest. Discovery runs just before
# the tests, so a build never fails because a test binary could not be listed. Every test may use the
# shared test support of data/testing (a connection that fails on demand).
include(GoogleTest)
if(NERIN_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
endif()

function(nerin_add_test)
  if(NOT NERIN_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} nerin_data_testing GTest::gtest GTest::gmock
                        GTest::gtest_main)
  gtest_discover_tests(${ARG_NAME}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TEST_PREFIX "${ARG_NAME}.")
endfunction()

# Tests of the demo restaurant's data (server/sql/demo): built into the program like the other server
# files, checked on a database created with them.
nerin_add_test(NAME demo_tests SOURCES sql/tests/DemoTest.cpp LIBS nerin_server nerin_data)
if(TARGET demo_tests)
  target_compile_definitions(demo_tests PRIVATE
    NERIN_DEMO_STAFF="${CMAKE_CURRENT_SOURCE_DIR}/sql/demo/README-demo.txt")
endif()

# Tests of the server procedures and the base rows (server/sql/6xx_*.sql, 7xx_*.sql), run on databases
# created from the built-in server files. The terminals-at-once case opens NERIN_PROC_MESAS tables per
# terminal with NERIN_PROC_PRODUCTOS items each (about 5 s under the sanitizers at the full size).
set(NERIN_PROC_MESAS 100 CACHE STRING "Tables each terminal opens in the concurrency test of the procedures")
set(NERIN_PROC_PRODUCTOS 10 CACHE STRING "Items stored on each table in the concurrency test of the procedures")
nerin_add_test(NAME procedure_tests SOURCES sql/tests/ProcedureTest.cpp LIBS nerin_server nerin_postgres_testing)
if(TARGET procedure_tests)
  target_compile_definitions(procedure_tests PRIVATE
    NERIN_PROC_MESAS=${NERIN_PROC_MESAS} NERIN_PROC_PRODUCTOS=${NERIN_PROC_PRODUCTOS})
endif()

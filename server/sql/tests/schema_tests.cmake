# Tests of the restaurant's tables and views (server files 1xx-5xx): view columns, join names,
# defaults, keys and the indexes that keep the terminal's lookups independent of history; and that
# every server file keeps to what both SQL Server and the embedded engine accept.
nerin_add_test(NAME schema_tests SOURCES sql/tests/SchemaTest.cpp sql/tests/ServerFileDialectTest.cpp
  LIBS nerin_server)

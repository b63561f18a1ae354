# Tests of the restaurant's tables and views (server files 1xx-5xx): view columns, join names,
# defaults, keys and the indexes that keep the terminal's lookups independent of history.
nerin_add_test(NAME schema_tests SOURCES sql/tests/SchemaTest.cpp LIBS nerin_server)

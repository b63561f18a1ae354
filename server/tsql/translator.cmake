# Sources and tests of the statement translator (T-SQL statement -> SQLite statement).
target_sources(nerin_tsql PRIVATE
  ChangeRewriter.cpp
  ExpressionRewriter.cpp
  FromClause.cpp
  FunctionCallRewriter.cpp
  FunctionMap.cpp
  Keywords.cpp
  NestedTokens.cpp
  ObjectName.cpp
  OuterJoinRewriter.cpp
  SchemaTranslator.cpp
  SelectRewriter.cpp
  SqlBuilder.cpp
  PostgresDialect.cpp
  SqliteDialect.cpp
  TableDefinition.cpp
  Translator.cpp
)

if(TARGET tsql_tests)
  target_sources(tsql_tests PRIVATE
  tests/TranslatorTest.cpp
  tests/ExpressionRewriterTest.cpp
  tests/SelectRewriterTest.cpp
  tests/OuterJoinRewriterTest.cpp
  tests/ChangeRewriterTest.cpp
  tests/SchemaTranslatorTest.cpp
)
endif()

# Sources and tests of the statement translator (T-SQL statement -> SQLite statement).
target_sources(nerin_tsql PRIVATE
)

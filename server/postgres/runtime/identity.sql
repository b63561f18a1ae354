-- Identity values: the numbers IDENTITY columns give the rows inserted.

-- @@IDENTITY and SCOPE_IDENTITY(): the last identity value this session gave, in any table; NULL
-- before the session inserted any.
CREATE OR REPLACE FUNCTION nerin_last_identity() RETURNS bigint
LANGUAGE plpgsql VOLATILE PARALLEL UNSAFE AS $$
BEGIN
    RETURN lastval();
EXCEPTION WHEN object_not_in_prerequisite_state THEN
    RETURN NULL;
END
$$;

-- IDENT_CURRENT('Tabla'): the last identity value the table gave, in any session, or its seed (1)
-- before it gave any; NULL for a table without an identity column or no such table. The name is a
-- T-SQL name in any case, possibly qualified ("dbo.Comanda") or bracketed ("[Comanda]"); a temporary
-- table ("#t") of this session is found too.
CREATE OR REPLACE FUNCTION nerin_ident_current(name text) RETURNS bigint
LANGUAGE sql VOLATILE PARALLEL SAFE AS $$
SELECT coalesce(pg_sequence_last_value(s.seqrelid), s.seqstart)
FROM pg_class AS c
JOIN pg_attribute AS a ON a.attrelid = c.oid AND a.attidentity <> '' AND NOT a.attisdropped
JOIN pg_sequence AS s
  ON s.seqrelid = pg_get_serial_sequence(format('%I.%I', c.relnamespace::regnamespace, c.relname), a.attname)::regclass
WHERE c.relname = lower(regexp_replace(btrim(substring(name COLLATE "C" FROM '[^.]*$')), '^\[(.*)\]$|^"(.*)"$', '\1\2'))
  AND c.relkind IN ('r', 'p')
  AND pg_table_is_visible(c.oid)
LIMIT 1
$$;

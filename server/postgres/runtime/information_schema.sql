-- SQL Server's INFORMATION_SCHEMA views TABLES, COLUMNS, VIEWS and ROUTINES, as the schema
-- nerin_information_schema, so that scripts ask whether an object exists as they ask SQL Server. They
-- list the restaurant's own tables, views and procedures (schema public, in T-SQL's schema dbo), never
-- temporary tables nor the engine's own nerin_* tables, with their names and column types as the
-- T-SQL that created them wrote them where the engine noted it (nerin_note_definition()), and the
-- server's otherwise (names in lower case, types translated back). Their texts compare without
-- regard to case.

-- The engine's tables, which the views read: the T-SQL text of each procedure and view. This is their one
-- definition on PostgreSQL: the views below need them first, and the library is installed by a login
-- that may create objects, unlike a terminal's (PgTarget creates nothing).
CREATE TABLE IF NOT EXISTS nerin_procedures (name varchar COLLATE nerin_ci PRIMARY KEY, definition text NOT NULL);
CREATE TABLE IF NOT EXISTS nerin_views (name varchar COLLATE nerin_ci PRIMARY KEY, definition text NOT NULL);

CREATE SCHEMA IF NOT EXISTS nerin_information_schema;
GRANT USAGE ON SCHEMA nerin_information_schema TO PUBLIC;

-- Notes how T-SQL wrote a table, view or column of the schema public: as the comment of the object,
-- its name as written, and for a column its type ("varchar(30)") and its default's text, on lines of
-- their own. A comment goes with its object when it is dropped. False, with nothing noted, when there
-- is no such object.
CREATE OR REPLACE FUNCTION nerin_note_definition(object_name text, column_name text, declared_type text,
                                                 declared_default text) RETURNS boolean
LANGUAGE plpgsql VOLATILE AS $$
DECLARE
    relation oid;
    kind "char";
BEGIN
    SELECT c.oid, c.relkind INTO relation, kind FROM pg_class AS c
    WHERE c.relnamespace = 'public'::regnamespace AND c.relname = lower(object_name);
    IF relation IS NULL THEN
        RETURN false;
    END IF;
    IF column_name IS NULL THEN
        EXECUTE format('COMMENT ON %s %s IS %L', CASE kind WHEN 'v' THEN 'VIEW' ELSE 'TABLE' END,
                       relation::regclass, object_name);
    ELSIF EXISTS (SELECT 1 FROM pg_attribute WHERE attrelid = relation AND attname = lower(column_name)
                  AND NOT attisdropped) THEN
        EXECUTE format('COMMENT ON COLUMN %s.%I IS %L', relation::regclass, lower(column_name),
                       concat_ws(E'\n', column_name, coalesce(declared_type, ''), declared_default));
    ELSE
        RETURN false;
    END IF;
    RETURN true;
END
$$;

-- Notes the spelling of each column of the view or table `object_name` that one of `names` (one a
-- line, the first that matches taken) spells, without a type of its own.
CREATE OR REPLACE FUNCTION nerin_note_columns(object_name text, names text) RETURNS boolean
LANGUAGE plpgsql VOLATILE AS $$
DECLARE
    relation oid;
    spelled text;
    column_name name;
BEGIN
    SELECT c.oid INTO relation FROM pg_class AS c
    WHERE c.relnamespace = 'public'::regnamespace AND c.relname = lower(object_name);
    IF relation IS NULL THEN
        RETURN false;
    END IF;
    FOR column_name IN SELECT attname FROM pg_attribute WHERE attrelid = relation AND attnum > 0
                       AND NOT attisdropped LOOP
        SELECT w INTO spelled FROM unnest(string_to_array(names, E'\n')) WITH ORDINALITY AS u(w, n)
        WHERE lower(w) = column_name::text ORDER BY n LIMIT 1;
        IF spelled IS NOT NULL THEN
            EXECUTE format('COMMENT ON COLUMN %s.%I IS %L', relation::regclass, column_name, spelled);
        END IF;
    END LOOP;
    RETURN true;
END
$$;

-- The line `n` of a noted comment (from 1) when it notes the name `actual` (the server's, lower
-- case); NULL when nothing was noted or the line is empty.
CREATE OR REPLACE FUNCTION nerin_information_schema.noted(note text, actual name, n integer) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nullif(split_part(note, E'\n', n), '')
WHERE lower(split_part(note, E'\n', 1)) = actual::text
$$;

-- The T-SQL type the engine writes as the server's type `type` (format_type()'s text).
CREATE OR REPLACE FUNCTION nerin_information_schema.tsql_type(type text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE
    WHEN type = 'integer' THEN 'int'
    WHEN type = 'numeric(19,4)' THEN 'money'
    WHEN type LIKE 'numeric%' THEN replace(type, 'numeric', 'decimal')
    WHEN type = 'double precision' THEN 'float'
    WHEN type LIKE 'timestamp%' THEN 'datetime'
    WHEN type LIKE 'character varying(%' THEN replace(type, 'character varying', 'varchar')
    WHEN type = 'character varying' THEN 'varchar(max)'
    WHEN type LIKE 'character(%' THEN replace(type, 'character', 'char')
    WHEN type = 'bytea' THEN 'varbinary(max)'
    WHEN type = 'boolean' THEN 'bit'
    ELSE type END
$$;

-- The restaurant's tables and views, with their names as written.
CREATE OR REPLACE VIEW nerin_information_schema.objects AS
SELECT c.oid, c.relkind,
       (coalesce(v.name, nerin_information_schema.noted(obj_description(c.oid, 'pg_class'), c.relname, 1),
                 c.relname::text))::varchar COLLATE nerin_ci AS name,
       v.definition
FROM pg_class AS c
LEFT JOIN public.nerin_views AS v ON c.relkind = 'v' AND v.name = c.relname::text COLLATE nerin_ci
WHERE c.relnamespace = 'public'::regnamespace AND c.relkind IN ('r', 'p', 'v')
  AND c.relname NOT LIKE 'nerin\_%';

CREATE OR REPLACE VIEW nerin_information_schema.tables AS
SELECT current_database()::varchar COLLATE nerin_ci AS table_catalog,
       'dbo'::varchar COLLATE nerin_ci AS table_schema, o.name AS table_name,
       (CASE o.relkind WHEN 'v' THEN 'VIEW' ELSE 'BASE TABLE' END)::varchar COLLATE nerin_ci AS table_type
FROM nerin_information_schema.objects AS o;

CREATE OR REPLACE VIEW nerin_information_schema.views AS
SELECT current_database()::varchar COLLATE nerin_ci AS table_catalog,
       'dbo'::varchar COLLATE nerin_ci AS table_schema, o.name AS table_name,
       o.definition::varchar COLLATE nerin_ci AS view_definition,
       'NONE'::varchar COLLATE nerin_ci AS check_option, 'NO'::varchar COLLATE nerin_ci AS is_updatable
FROM nerin_information_schema.objects AS o
WHERE o.relkind = 'v';

CREATE OR REPLACE VIEW nerin_information_schema.routines AS
SELECT current_database()::varchar COLLATE nerin_ci AS specific_catalog,
       'dbo'::varchar COLLATE nerin_ci AS specific_schema, p.name AS specific_name,
       current_database()::varchar COLLATE nerin_ci AS routine_catalog,
       'dbo'::varchar COLLATE nerin_ci AS routine_schema, p.name AS routine_name,
       'PROCEDURE'::varchar COLLATE nerin_ci AS routine_type,
       left(p.definition, 4000)::varchar COLLATE nerin_ci AS routine_definition
FROM public.nerin_procedures AS p;

-- Each column with its T-SQL type as written ("varchar(30)"), its type's name and its numbers.
CREATE OR REPLACE VIEW nerin_information_schema.typed_columns AS
SELECT o.name AS table_name, d.column_name, d.ordinal_position, d.column_default, d.is_nullable,
       lower(split_part(regexp_replace(d.declared, '\s', '', 'g'), '(', 1)) AS data_type,
       nerin_type_arguments(d.declared) AS arguments
FROM nerin_information_schema.objects AS o
CROSS JOIN LATERAL (
    SELECT (coalesce(nerin_information_schema.noted(n.note, a.attname, 1), a.attname::text))::varchar
               COLLATE nerin_ci AS column_name,
           row_number() OVER (ORDER BY a.attnum)::integer AS ordinal_position,
           coalesce('(' || nerin_information_schema.noted(n.note, a.attname, 3) || ')',
                    CASE WHEN n.note IS NULL THEN '(' || pg_get_expr(ad.adbin, ad.adrelid) || ')' END)::varchar
               COLLATE nerin_ci AS column_default,
           (CASE WHEN a.attnotnull THEN 'NO' ELSE 'YES' END)::varchar COLLATE nerin_ci AS is_nullable,
           coalesce(nerin_information_schema.noted(n.note, a.attname, 2),
                    nerin_information_schema.tsql_type(format_type(a.atttypid, a.atttypmod))) AS declared
    FROM pg_attribute AS a
    CROSS JOIN LATERAL (SELECT col_description(o.oid, a.attnum) AS note) AS n
    LEFT JOIN pg_attrdef AS ad ON ad.adrelid = a.attrelid AND ad.adnum = a.attnum
    WHERE a.attrelid = o.oid AND a.attnum > 0 AND NOT a.attisdropped
) AS d;

CREATE OR REPLACE VIEW nerin_information_schema.columns AS
SELECT current_database()::varchar COLLATE nerin_ci AS table_catalog,
       'dbo'::varchar COLLATE nerin_ci AS table_schema, c.table_name, c.column_name, c.ordinal_position,
       c.column_default, c.is_nullable, c.data_type::varchar COLLATE nerin_ci AS data_type,
       CASE WHEN c.data_type IN ('char', 'varchar', 'nchar', 'nvarchar', 'binary', 'varbinary')
                THEN coalesce(c.arguments[1], -1)
            WHEN c.data_type = 'text' THEN 2147483647 WHEN c.data_type = 'ntext' THEN 1073741823
       END AS character_maximum_length,
       CASE c.data_type WHEN 'tinyint' THEN 3 WHEN 'smallint' THEN 5 WHEN 'int' THEN 10 WHEN 'bigint' THEN 19
           WHEN 'bit' THEN 1 WHEN 'money' THEN 19 WHEN 'smallmoney' THEN 10 WHEN 'float' THEN 53
           WHEN 'real' THEN 24 WHEN 'decimal' THEN coalesce(c.arguments[1], 18)
           WHEN 'numeric' THEN coalesce(c.arguments[1], 18)
       END AS numeric_precision,
       CASE WHEN c.data_type IN ('tinyint', 'smallint', 'int', 'bigint') THEN 0
            WHEN c.data_type IN ('money', 'smallmoney') THEN 4
            WHEN c.data_type IN ('decimal', 'numeric') THEN coalesce(c.arguments[2], 0)
       END AS numeric_scale
FROM nerin_information_schema.typed_columns AS c;

GRANT SELECT ON ALL TABLES IN SCHEMA nerin_information_schema TO PUBLIC;

-- What the other parts of the run-time library build on.

-- Stops the statement with `message`, as T-SQL stops it with its own error. `culprit` holds every
-- value the test that led here reads (several joined as a text): while any is unknown when the
-- statement is planned, the planner does not call this function ahead of time on a branch of a CASE
-- that may never be taken. Used as nerin_fail('…', x)::<the type the expression has>.
CREATE OR REPLACE FUNCTION nerin_fail(message text, culprit anyelement) RETURNS text
LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
BEGIN
    RAISE EXCEPTION USING MESSAGE = message, ERRCODE = '22023';
END
$$;

-- The text without the white space T-SQL ignores around numbers, dates and type names.
CREATE OR REPLACE FUNCTION nerin_trim(value text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT btrim(value, E' \t\r\n\v\f')
$$;

-- "Conversion failed when converting the varchar value 'x' to data type int."
CREATE OR REPLACE FUNCTION nerin_conversion_failed(value text, type_name text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_fail('Conversion failed when converting the varchar value ''' || value || ''' to data type '
                  || type_name || '.', value)
$$;

-- A T-SQL type as written ("VarChar (10)", "numeric(10,2)", "money"): its name in lower case, without
-- its length, and spelled as T-SQL names it in messages ("integer" is "int", "dec" is "numeric").
CREATE OR REPLACE FUNCTION nerin_type_name(type text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE lower(split_part(regexp_replace(type COLLATE "C", '\s', '', 'g'), '(', 1))
           WHEN 'integer' THEN 'int' WHEN 'dec' THEN 'numeric' WHEN 'decimal' THEN 'numeric'
           WHEN 'character' THEN 'char'
           ELSE lower(split_part(regexp_replace(type COLLATE "C", '\s', '', 'g'), '(', 1)) END
$$;

-- The numbers in a type's parentheses: {10} for "varchar(10)", {10,2} for "numeric(10, 2)", {-1} for
-- "varchar(max)", {} without them.
CREATE OR REPLACE FUNCTION nerin_type_arguments(type text) RETURNS integer[]
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT coalesce(string_to_array(replace(lower(substring(regexp_replace(type COLLATE "C", '\s', '', 'g')
                                                        FROM '\((.*)\)$')), 'max', '-1'), ',')::integer[],
                '{}')
$$;

-- `v` without its fraction, brought within lo to hi; NULL for NULL.
CREATE OR REPLACE FUNCTION nerin_clamp(v double precision, lo integer, hi integer) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN trunc(v) < lo THEN lo WHEN trunc(v) > hi THEN hi ELSE trunc(v)::integer END
$$;

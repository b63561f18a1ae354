-- Numbers: ISNUMERIC, ROUND and STR. NULL in gives NULL out, except in ISNUMERIC.

-- ISNUMERIC: 1 for whatever converts to some numeric type, money included: a "$", commas among the
-- digits, an exponent written with "e" or "d", and even a lone sign, point, comma or "$"; 0 for
-- anything else, NULL included.
CREATE OR REPLACE FUNCTION nerin_isnumeric(x text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT coalesce((nerin_trim(x) COLLATE "C") ~ '^(?:[+-]?\$?|\$[+-])[0-9,]*(?:\.[0-9]*)?(?:[eEdD][+-]?[0-9]+)?$'
                AND nerin_trim(x) <> ''
                AND ((nerin_trim(x) COLLATE "C") !~ '[eEdD]' OR (nerin_trim(x) COLLATE "C") ~ '^[^eEdD]*[0-9]'),
                false)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_isnumeric(x numeric) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (x IS NOT NULL)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_isnumeric(x double precision) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (x IS NOT NULL)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_isnumeric(x timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT 0
$$;

-- ROUND: to n places after the point (before it when n is negative), halves away from zero; any
-- f other than 0 cuts the digits instead. Whole numbers stay whole numbers of their type.
CREATE OR REPLACE FUNCTION nerin_round(x numeric, n double precision, f double precision) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN f <> 0 THEN trunc(x, nerin_clamp(n, -400, scale(x)))
            WHEN f = 0 THEN round(x, nerin_clamp(n, -400, scale(x)))
       END
$$;

CREATE OR REPLACE FUNCTION nerin_round(x numeric, n double precision) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_round(x, n, 0)
$$;

CREATE OR REPLACE FUNCTION nerin_round(x double precision, n double precision, f double precision) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_round(x::numeric, n, f)::double precision
$$;

CREATE OR REPLACE FUNCTION nerin_round(x double precision, n double precision) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_round(x::numeric, n, 0)::double precision
$$;

CREATE OR REPLACE FUNCTION nerin_round(x bigint, n double precision, f double precision) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_round(x::numeric, n, f)::bigint
$$;

CREATE OR REPLACE FUNCTION nerin_round(x bigint, n double precision) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_round(x::numeric, n, 0)::bigint
$$;

CREATE OR REPLACE FUNCTION nerin_round(x integer, n double precision, f double precision) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_round(x::numeric, n, f)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_round(x integer, n double precision) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_round(x::numeric, n, 0)::integer
$$;

-- STR: the number right-aligned in `length` characters (10 unless given) with `decimals` places
-- (0 unless given, at most 16), fewer places when they do not fit, and asterisks when the whole
-- part does not; NULL for a length outside 1 to 8000 or negative places.
CREATE OR REPLACE FUNCTION nerin_str(x numeric, length double precision, decimals double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN x IS NOT NULL AND trunc(length) BETWEEN 1 AND 8000 AND trunc(decimals) >= 0
            THEN coalesce((SELECT lpad(round(x, places)::text, trunc(length)::integer)
                           FROM generate_series(least(trunc(decimals), 16)::integer, 0, -1) AS places
                           WHERE pg_catalog.length(round(x, places)::text) <= trunc(length)
                           ORDER BY places DESC LIMIT 1),
                          repeat('*', trunc(length)::integer))
       END
$$;

CREATE OR REPLACE FUNCTION nerin_str(x numeric, length double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_str(x, length, 0)
$$;

CREATE OR REPLACE FUNCTION nerin_str(x numeric) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_str(x, 10, 0)
$$;

CREATE OR REPLACE FUNCTION nerin_str(x double precision, length double precision, decimals double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_str(x::numeric, length, decimals)
$$;

CREATE OR REPLACE FUNCTION nerin_str(x double precision, length double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_str(x::numeric, length, 0)
$$;

CREATE OR REPLACE FUNCTION nerin_str(x double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_str(x::numeric, 10, 0)
$$;

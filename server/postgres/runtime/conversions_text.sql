-- Conversions to texts: CAST and CONVERT to char, varchar, nchar, nvarchar, text, ntext and sysname,
-- with CONVERT's styles for dates and money. NULL in gives NULL out.

-- The type's length in characters: 30 when not given, NULL for max, text and ntext.
CREATE OR REPLACE FUNCTION nerin_text_length(type text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN nerin_type_name(type) IN ('text', 'ntext') THEN NULL
            WHEN nerin_type_name(type) = 'sysname' THEN 128
            WHEN cardinality(nerin_type_arguments(type)) = 0 THEN 30
            WHEN (nerin_type_arguments(type))[1] < 0 THEN NULL
            ELSE (nerin_type_arguments(type))[1]
       END
$$;

-- The text cut to the type's length, a char padded to it with spaces. A number (`source` "int" or
-- "float") too long for the length is "*" when whole, else the statement stops, as it does for any
-- number too long for an nchar or nvarchar.
CREATE OR REPLACE FUNCTION nerin_text_fit(type text, t text, source text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN source IS NOT NULL AND length(t) > nerin_text_length(type)
            THEN CASE WHEN source = 'float' OR nerin_type_name(type) IN ('nchar', 'nvarchar')
                      THEN nerin_fail('Arithmetic overflow error converting ' || source || ' to data type '
                                      || nerin_type_name(type) || '.', t)
                      WHEN nerin_type_name(type) = 'char' THEN rpad('*', nerin_text_length(type))
                      ELSE '*' END
            WHEN nerin_text_length(type) IS NULL THEN t
            WHEN nerin_type_name(type) IN ('char', 'nchar') THEN rpad(t, nerin_text_length(type))
            ELSE left(t, nerin_text_length(type))
       END
$$;

-- A number as T-SQL writes it without a style: no trailing zeros after the point. Money styles: 1
-- two places with thousands commas, 2 four places.
CREATE OR REPLACE FUNCTION nerin_number_text(value numeric, style double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style = 1 THEN regexp_replace(round(value, 2)::text, '(\d)(?=(\d{3})+(\.|$))', '\1,', 'g')
            WHEN style = 2 THEN round(value, 4)::text
            ELSE trim_scale(value)::text
       END
$$;

-- The styles of a CONVERT to text; -1 stands for none given, where a NULL style gives NULL.
CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value bigint, style double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_text_fit(type, value::text, 'int') END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value integer, style double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_text_fit(type, value::text, 'int') END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value numeric, style double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN scale(value) = 0 AND style IS NOT NULL THEN nerin_text_fit(type, value::text, 'int')
            WHEN style IS NOT NULL THEN nerin_text_fit(type, nerin_number_text(value, style), 'float')
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value double precision, style double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_text_fit(type, nerin_number_text(value::numeric, style), 'float') END
$$;

-- A date in the style given, else in style 0 ("Dec  6 2026  1:45PM").
CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value timestamp, style double precision) RETURNS text
LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT nerin_text_fit(type, nerin_datetime_style(value, CASE WHEN style = -1 THEN 0 ELSE style END), NULL)
$$;

-- A date text is written in the style when one is given.
CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value text, style double precision) RETURNS text
LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NULL THEN NULL
            WHEN style <> -1 AND nerin_datetime_text(value, NULL) IS NOT NULL
            THEN nerin_text_fit(type, nerin_datetime_style(nerin_datetime_text(value, NULL), style), NULL)
            ELSE nerin_text_fit(type, value, NULL)
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value bigint) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_text(type, value, -1)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value integer) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_text(type, value, -1)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value numeric) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_text(type, value, -1)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_text(type, value, -1)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value timestamp) RETURNS text
LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT nerin_convert_text(type, value, -1)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_text_fit(type, value, NULL)
$$;

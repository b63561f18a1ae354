-- Conversions: CAST and CONVERT, one family of functions per kind of type converted to, each taking
-- the T-SQL type as written, the value, and CONVERT's style when given. Texts convert as T-SQL reads
-- them (white space around a number ignored, a date text read day first); a number converts to a date
-- as the days since 1 January 1900 and a date to a number the other way. NULL in gives NULL out.

-- --- Dates: datetime, smalldatetime, date ---

-- The date as the type keeps it: a date without its time, a smalldatetime to the nearest minute (from
-- 29.999 seconds up, the next one); out of the type's range, the statement stops.
CREATE OR REPLACE FUNCTION nerin_datetime_fit(type text, d timestamp) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN CASE nerin_type_name(type)
                     WHEN 'smalldatetime' THEN date_trunc('minute', d + interval '30.001 seconds')::date
                                               NOT BETWEEN date '1900-01-01' AND date '2079-06-06'
                     WHEN 'datetime' THEN extract(year FROM d) NOT BETWEEN 1753 AND 9999
                     ELSE extract(year FROM d) > 9999 END
            THEN nerin_fail('The conversion of a varchar data type to a ' || nerin_type_name(type)
                            || ' data type resulted in an out-of-range value.', d)::timestamp
            WHEN nerin_type_name(type) = 'date' THEN date_trunc('day', d)
            WHEN nerin_type_name(type) = 'smalldatetime' THEN date_trunc('minute', d + interval '30.001 seconds')
            ELSE d
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value timestamp) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_datetime_fit(type, value)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value double precision) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_datetime_fit(type, timestamp '1900-01-01' + round(value * 86400000) * interval '1 millisecond')
$$;

CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value numeric) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_datetime(type, value::double precision)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value bigint) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_datetime_fit(type, timestamp '1900-01-01' + value * interval '1 day')
$$;

CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value integer) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_datetime(type, value::bigint)
$$;

-- A blank text is 1 January 1900; the style says how a text with separators is read.
CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value text, style double precision) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN nerin_trim(value) = '' THEN nerin_datetime_fit(type, timestamp '1900-01-01')
            ELSE nerin_datetime_fit(type, coalesce(nerin_datetime_text(value, style),
                 nerin_fail('Conversion failed when converting date and/or time from character string.',
                            value || coalesce(style::text, ''))::timestamp))
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value text) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_datetime(type, value, NULL)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_datetime(type text, value anyelement, style double precision) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_convert_datetime(type, value) END
$$;

-- --- Whole numbers: bigint, int, smallint, tinyint (as bigint) ---

-- The number when the type holds it; else the statement stops with `message`, or with T-SQL's
-- arithmetic overflow.
CREATE OR REPLACE FUNCTION nerin_int_fit(type text, value numeric, message text) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN value BETWEEN CASE nerin_type_name(type) WHEN 'bigint' THEN -9223372036854775808
                                   WHEN 'smallint' THEN -32768 WHEN 'tinyint' THEN 0 ELSE -2147483648 END
                           AND CASE nerin_type_name(type) WHEN 'bigint' THEN 9223372036854775807
                                   WHEN 'smallint' THEN 32767 WHEN 'tinyint' THEN 255 ELSE 2147483647 END
            THEN value::bigint
            ELSE nerin_fail(coalesce(message, 'Arithmetic overflow error converting expression to data type '
                                              || nerin_type_name(type) || '.'), value)::bigint
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value bigint) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_int_fit(type, value, NULL)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value integer) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_int_fit(type, value, NULL)
$$;

-- Fractions are dropped.
CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value numeric) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_int_fit(type, trunc(value), NULL)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value double precision) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_int_fit(type, trunc(value)::numeric, NULL)
$$;

-- A date counts its days since 1900, rounded to the nearest: from noon on, the next day.
CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value timestamp) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_int_fit(type, floor(extract(epoch FROM value - timestamp '1900-01-01') / 86400 + 0.5), NULL)
$$;

-- A blank text is 0, a date text counts its days; else the text must be a whole number.
CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value text) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN value IS NULL THEN NULL
            WHEN nerin_trim(value) = '' THEN 0
            WHEN (value COLLATE "C") ~ '^\s*\d{4}-\d' THEN nerin_convert_int(type, nerin_convert_datetime('datetime', value))
            WHEN (nerin_trim(value) COLLATE "C") ~ '^[+-]?\d+$'
            THEN nerin_int_fit(type, nerin_trim(value)::numeric,
                               'The conversion of the varchar value ''' || value || ''' overflowed '
                               || CASE nerin_type_name(type) WHEN 'int' THEN 'an ' ELSE 'a ' END
                               || nerin_type_name(type) || ' column.')
            ELSE nerin_conversion_failed(value, nerin_type_name(type))::bigint
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value anyelement, style double precision) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_convert_int(type, value) END
$$;

-- --- bit (as 0 or 1) ---

CREATE OR REPLACE FUNCTION nerin_convert_bit(type text, value double precision) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (value <> 0)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_convert_bit(type text, value numeric) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (value <> 0)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_convert_bit(type text, value bigint) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (value <> 0)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_convert_bit(type text, value integer) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (value <> 0)::integer
$$;

-- "true" is 1, "false" and a blank text 0, a number 1 unless it is 0.
CREATE OR REPLACE FUNCTION nerin_convert_bit(type text, value text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN value IS NULL THEN NULL
            WHEN lower(nerin_trim(value) COLLATE "C") = 'true' THEN 1
            WHEN lower(nerin_trim(value) COLLATE "C") IN ('false', '') THEN 0
            WHEN (nerin_trim(value) COLLATE "C") ~ '^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$'
            THEN (nerin_trim(value)::double precision <> 0)::integer
            ELSE nerin_conversion_failed(value, 'bit')::integer
       END
$$;

-- A date is no bit.
CREATE OR REPLACE FUNCTION nerin_convert_bit(type text, value timestamp) RETURNS integer
LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT nerin_conversion_failed(to_char(value, 'YYYY-MM-DD HH24:MI:SS.MS'), 'bit')::integer
$$;

CREATE OR REPLACE FUNCTION nerin_convert_bit(type text, value anyelement, style double precision) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_convert_bit(type, value) END
$$;

-- --- Exact numbers: money, smallmoney, decimal, numeric ---

-- The number rounded to the type's places (four for money), halves away from zero; the statement
-- stops when the whole part does not fit. `source` names the type converted from in the message.
CREATE OR REPLACE FUNCTION nerin_decimal_fit(type text, value numeric, source text) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN nerin_type_name(type) IN ('money', 'smallmoney')
            THEN CASE WHEN abs(round(value, 4)) > CASE nerin_type_name(type) WHEN 'smallmoney' THEN 214748.3647
                                                      ELSE 922337203685477.5807 END
                      THEN nerin_fail('Arithmetic overflow error converting expression to data type '
                                      || nerin_type_name(type) || '.', value)::numeric
                      ELSE round(value, 4) END
            WHEN abs(round(value, coalesce((nerin_type_arguments(type))[2], 0)))
                 >= 10::numeric ^ (coalesce((nerin_type_arguments(type))[1], 18)
                                   - coalesce((nerin_type_arguments(type))[2], 0))
            THEN nerin_fail('Arithmetic overflow error converting ' || source || ' to data type numeric.',
                            type || value::text)::numeric
            ELSE round(value, coalesce((nerin_type_arguments(type))[2], 0))
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_numeric(type text, value numeric) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_decimal_fit(type, value, CASE WHEN scale(value) = 0 THEN 'int' ELSE 'float' END)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_numeric(type text, value bigint) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_decimal_fit(type, value, 'int')
$$;

CREATE OR REPLACE FUNCTION nerin_convert_numeric(type text, value integer) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_decimal_fit(type, value, 'int')
$$;

CREATE OR REPLACE FUNCTION nerin_convert_numeric(type text, value double precision) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_decimal_fit(type, value::numeric, 'float')
$$;

-- Money texts may have a "$" and commas among the digits, and a blank one is 0.
CREATE OR REPLACE FUNCTION nerin_convert_numeric(type text, value text) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN value IS NULL THEN NULL
            WHEN nerin_type_name(type) IN ('money', 'smallmoney')
            THEN CASE WHEN nerin_trim(value) = '' THEN nerin_decimal_fit(type, 0, 'varchar')
                      WHEN (nerin_trim(value) COLLATE "C") ~ '^(?:[+-]?\$?|\$[+-])(\d[\d,]*)?(\.\d*)?$'
                           AND (value COLLATE "C") ~ '\d'
                      THEN nerin_decimal_fit(type, regexp_replace(nerin_trim(value) COLLATE "C", '[$,]', '', 'g')::numeric,
                                             'varchar')
                      ELSE nerin_fail('Cannot convert a char value to money. The char value has incorrect syntax.',
                                      type || value)::numeric END
            WHEN (nerin_trim(value) COLLATE "C") ~ '^[+-]?\d*(\.\d*)?$' AND (value COLLATE "C") ~ '\d'
            THEN nerin_decimal_fit(type, nerin_trim(value)::numeric, 'varchar')
            ELSE nerin_fail('Error converting data type varchar to numeric.', type || value)::numeric
       END
$$;

-- A date is no exact number.
CREATE OR REPLACE FUNCTION nerin_convert_numeric(type text, value timestamp) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN nerin_type_name(type) IN ('money', 'smallmoney')
            THEN nerin_fail('Cannot convert a char value to money. The char value has incorrect syntax.',
                            type || value::text)::numeric
            ELSE nerin_fail('Error converting data type varchar to numeric.', type || value::text)::numeric
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_numeric(type text, value anyelement, style double precision) RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_convert_numeric(type, value) END
$$;

-- --- Approximate numbers: float, real ---

-- A real keeps a real's precision; the statement stops beyond its range.
CREATE OR REPLACE FUNCTION nerin_float_fit(type text, value double precision) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN nerin_type_name(type) = 'float'
                 AND coalesce((nerin_type_arguments(type))[1], 53) > 24 THEN value
            WHEN abs(value) > 3.4028234663852886e38
            THEN nerin_fail('Arithmetic overflow error converting expression to data type real.',
                            type || value::text)::double precision
            ELSE value::real::double precision
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_float(type text, value double precision) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_float_fit(type, value)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_float(type text, value numeric) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_float_fit(type, value::double precision)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_float(type text, value bigint) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_float_fit(type, value::double precision)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_float(type text, value integer) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_float_fit(type, value::double precision)
$$;

-- A date is its days since 1900, with the time as the fraction.
CREATE OR REPLACE FUNCTION nerin_convert_float(type text, value timestamp) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_float_fit(type, (extract(epoch FROM value - timestamp '1900-01-01') / 86400)::double precision)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_float(type text, value text) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN value IS NULL THEN NULL
            WHEN nerin_trim(value) = '' THEN nerin_float_fit(type, 0)
            WHEN (value COLLATE "C") ~ '^\s*\d{4}-\d' THEN nerin_convert_float(type, nerin_convert_datetime('datetime', value))
            WHEN (nerin_trim(value) COLLATE "C") ~ '^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$'
            THEN nerin_float_fit(type, nerin_trim(value)::double precision)
            ELSE nerin_fail('Error converting data type varchar to float.', value)::double precision
       END
$$;

CREATE OR REPLACE FUNCTION nerin_convert_float(type text, value anyelement, style double precision) RETURNS double precision
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN style IS NOT NULL THEN nerin_convert_float(type, value) END
$$;

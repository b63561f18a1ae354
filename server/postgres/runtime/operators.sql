-- Operators with T-SQL's meaning where PostgreSQL has none: "+" joins texts and adds days to a date,
-- and the "-" of dates. NULL in gives NULL out.

CREATE OR REPLACE FUNCTION nerin_concat(a text, b text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT a || b
$$;

-- A date moved by a number of days, its fraction a part of a day, to the millisecond.
CREATE OR REPLACE FUNCTION nerin_add_days(d timestamp, days double precision) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT d + round(days * 86400000) * interval '1 millisecond'
$$;

CREATE OR REPLACE FUNCTION nerin_add_days(days double precision, d timestamp) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_add_days(d, days)
$$;

-- A date less a number of days.
CREATE OR REPLACE FUNCTION nerin_sub(a timestamp, b double precision) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_add_days(a, -b)
$$;

-- A date less another: the time between them, as the date that long after 1 January 1900.
CREATE OR REPLACE FUNCTION nerin_sub(a timestamp, b timestamp) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT timestamp '1900-01-01' + (a - b)
$$;

-- A date less a text, read as a date.
CREATE OR REPLACE FUNCTION nerin_sub(a timestamp, b text) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_sub(a, nerin_convert_datetime('datetime', b))
$$;

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_operator
                   WHERE oprname = '+' AND oprleft = 'text'::regtype AND oprright = 'text'::regtype) THEN
        CREATE OPERATOR + (LEFTARG = text, RIGHTARG = text, FUNCTION = nerin_concat);
    END IF;
    IF NOT EXISTS (SELECT FROM pg_operator WHERE oprname = '+' AND oprleft = 'timestamp'::regtype
                                                 AND oprright = 'double precision'::regtype) THEN
        CREATE OPERATOR + (LEFTARG = timestamp, RIGHTARG = double precision, FUNCTION = nerin_add_days);
    END IF;
    IF NOT EXISTS (SELECT FROM pg_operator WHERE oprname = '+' AND oprleft = 'double precision'::regtype
                                                 AND oprright = 'timestamp'::regtype) THEN
        CREATE OPERATOR + (LEFTARG = double precision, RIGHTARG = timestamp, FUNCTION = nerin_add_days);
    END IF;
END
$$;

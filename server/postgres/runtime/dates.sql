-- Dates: T-SQL's date functions on local date-times (timestamp without time zone). Weeks start on
-- Sunday and weekday 1 is Sunday; DATEDIFF counts the boundaries of the part crossed between its
-- dates. NULL in gives NULL out.

-- The date part a T-SQL name stands for (any case: "yy", "Month", "dw"…), by its long name; an
-- unknown name stops the statement naming `function` as T-SQL does.
CREATE OR REPLACE FUNCTION nerin_date_part(part text, function text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE lower(nerin_trim(part))
           WHEN 'year' THEN 'year' WHEN 'yy' THEN 'year' WHEN 'yyyy' THEN 'year'
           WHEN 'quarter' THEN 'quarter' WHEN 'qq' THEN 'quarter' WHEN 'q' THEN 'quarter'
           WHEN 'month' THEN 'month' WHEN 'mm' THEN 'month' WHEN 'm' THEN 'month'
           WHEN 'dayofyear' THEN 'dayofyear' WHEN 'dy' THEN 'dayofyear' WHEN 'y' THEN 'dayofyear'
           WHEN 'day' THEN 'day' WHEN 'dd' THEN 'day' WHEN 'd' THEN 'day'
           WHEN 'week' THEN 'week' WHEN 'wk' THEN 'week' WHEN 'ww' THEN 'week'
           WHEN 'weekday' THEN 'weekday' WHEN 'dw' THEN 'weekday' WHEN 'w' THEN 'weekday'
           WHEN 'hour' THEN 'hour' WHEN 'hh' THEN 'hour'
           WHEN 'minute' THEN 'minute' WHEN 'mi' THEN 'minute' WHEN 'n' THEN 'minute'
           WHEN 'second' THEN 'second' WHEN 'ss' THEN 'second' WHEN 's' THEN 'second'
           WHEN 'millisecond' THEN 'millisecond' WHEN 'ms' THEN 'millisecond'
           ELSE nerin_fail('''' || nerin_trim(part) || ''' is not a recognized ' || function || ' option.', part)
       END
$$;

-- The number of the week, counted in weeks that start on Sunday, of a day: 0 for the week of
-- Sunday 7 January 1900.
CREATE OR REPLACE FUNCTION nerin_sunday_week(d date) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT floor((d - date '1900-01-07') / 7.0)::integer
$$;

-- The clock of this machine's time zone, to the millisecond.
CREATE OR REPLACE FUNCTION nerin_getdate() RETURNS timestamp
LANGUAGE sql VOLATILE PARALLEL SAFE AS $$
SELECT clock_timestamp()::timestamp(3)::timestamp
$$;

-- DATEADD: months and years keep the day when the month has it, else take the month's last day.
-- Fractions of n are dropped.
CREATE OR REPLACE FUNCTION nerin_dateadd(part text, n double precision, d timestamp) RETURNS timestamp
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE nerin_date_part(part, 'dateadd')
           WHEN 'year' THEN d + make_interval(years => trunc(n)::integer)
           WHEN 'quarter' THEN d + make_interval(months => (trunc(n) * 3)::integer)
           WHEN 'month' THEN d + make_interval(months => trunc(n)::integer)
           WHEN 'week' THEN d + trunc(n) * interval '7 days'
           WHEN 'hour' THEN d + trunc(n) * interval '1 hour'
           WHEN 'minute' THEN d + trunc(n) * interval '1 minute'
           WHEN 'second' THEN d + trunc(n) * interval '1 second'
           WHEN 'millisecond' THEN d + trunc(n) * interval '1 millisecond'
           ELSE d + trunc(n) * interval '1 day'
       END
$$;

-- DATEDIFF: how many boundaries of the part lie between a and b (negative when b is earlier).
CREATE OR REPLACE FUNCTION nerin_datediff(part text, a timestamp, b timestamp) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (CASE nerin_date_part(part, 'datediff')
            WHEN 'year' THEN extract(year FROM b) - extract(year FROM a)
            WHEN 'quarter' THEN (extract(year FROM b) - extract(year FROM a)) * 4
                                + extract(quarter FROM b) - extract(quarter FROM a)
            WHEN 'month' THEN (extract(year FROM b) - extract(year FROM a)) * 12
                              + extract(month FROM b) - extract(month FROM a)
            WHEN 'week' THEN nerin_sunday_week(b::date) - nerin_sunday_week(a::date)
            WHEN 'hour' THEN floor(extract(epoch FROM b) / 3600) - floor(extract(epoch FROM a) / 3600)
            WHEN 'minute' THEN floor(extract(epoch FROM b) / 60) - floor(extract(epoch FROM a) / 60)
            WHEN 'second' THEN floor(extract(epoch FROM b)) - floor(extract(epoch FROM a))
            WHEN 'millisecond' THEN floor(extract(epoch FROM b) * 1000) - floor(extract(epoch FROM a) * 1000)
            ELSE b::date - a::date
        END)::bigint
$$;

-- DATEPART: the week counts from 1 for the week of 1 January; weekday 1 is Sunday.
CREATE OR REPLACE FUNCTION nerin_datepart(part text, d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT (CASE nerin_date_part(part, 'datepart')
            WHEN 'year' THEN extract(year FROM d)
            WHEN 'quarter' THEN extract(quarter FROM d)
            WHEN 'month' THEN extract(month FROM d)
            WHEN 'dayofyear' THEN extract(doy FROM d)
            WHEN 'week' THEN nerin_sunday_week(d::date) - nerin_sunday_week(date_trunc('year', d)::date) + 1
            WHEN 'weekday' THEN extract(dow FROM d) + 1
            WHEN 'hour' THEN extract(hour FROM d)
            WHEN 'minute' THEN extract(minute FROM d)
            WHEN 'second' THEN floor(extract(second FROM d))
            WHEN 'millisecond' THEN mod(floor(extract(microseconds FROM d) / 1000), 1000)
            ELSE extract(day FROM d)
        END)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_year(d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT extract(year FROM d)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_month(d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT extract(month FROM d)::integer
$$;

CREATE OR REPLACE FUNCTION nerin_day(d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT extract(day FROM d)::integer
$$;

-- Texts: T-SQL's text functions. Searches ignore case but not accents, as the texts' collation
-- compares; they run under a deterministic collation with case folded, since PostgreSQL does not
-- search texts under a nondeterministic one. Lengths count characters. NULL in gives NULL out.

-- LEN: the characters, trailing spaces left out.
CREATE OR REPLACE FUNCTION nerin_len(s text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT length(rtrim(s, ' '))
$$;

-- A binary value's length is its bytes.
CREATE OR REPLACE FUNCTION nerin_len(s bytea) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT length(s)
$$;

-- CHARINDEX: where `needle` first appears in `s` from character `start` on (1 when less), 0 when it
-- does not or is empty.
CREATE OR REPLACE FUNCTION nerin_charindex(needle text, s text, start double precision) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN length(needle) = 0 OR nerin_clamp(start, 1, 2147483647) > length(s) THEN 0
            ELSE (strpos(substr(lower(s COLLATE "und-x-icu"), nerin_clamp(start, 1, 2147483647)),
                         lower(needle COLLATE "und-x-icu")) > 0)::integer
                 * (strpos(substr(lower(s COLLATE "und-x-icu"), nerin_clamp(start, 1, 2147483647)),
                           lower(needle COLLATE "und-x-icu")) + nerin_clamp(start, 1, 2147483647) - 1)
       END
$$;

CREATE OR REPLACE FUNCTION nerin_charindex(needle text, s text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_charindex(needle, s, 1)
$$;

-- SUBSTRING: the characters from `start` to start + n - 1 that the text has, as T-SQL counts
-- them: a start before 1 still counts towards n.
CREATE OR REPLACE FUNCTION nerin_substring(s text, start double precision, n double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN n < 0
            THEN nerin_fail('Invalid length parameter passed to the substring function.', n)
            ELSE substr(s, nerin_clamp(start, -1073741823, 1073741823), nerin_clamp(n, 0, 1073741823))
       END
$$;

CREATE OR REPLACE FUNCTION nerin_left(s text, n double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN n < 0 THEN nerin_fail('Invalid length parameter passed to the left function.', n)
            ELSE left(s, nerin_clamp(n, 0, 2147483647)) END
$$;

CREATE OR REPLACE FUNCTION nerin_right(s text, n double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN n < 0 THEN nerin_fail('Invalid length parameter passed to the right function.', n)
            ELSE right(s, nerin_clamp(n, 0, 2147483647)) END
$$;

-- SPACE and REPLICATE: NULL for a negative count; at most 8000 characters.
CREATE OR REPLACE FUNCTION nerin_space(n double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN n >= 0 THEN repeat(' ', nerin_clamp(n, 0, 8000)) END
$$;

CREATE OR REPLACE FUNCTION nerin_replicate(s text, n double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN n >= 0 THEN left(repeat(s, nerin_clamp(n, 0, 8000)), 8000) END
$$;

CREATE OR REPLACE FUNCTION nerin_upper(s text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT upper(s COLLATE "und-x-icu")
$$;

CREATE OR REPLACE FUNCTION nerin_lower(s text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT lower(s COLLATE "und-x-icu")
$$;

-- REPLACE: every appearance of `pattern`, in any case, replaced by `replacement`; an empty pattern
-- replaces nothing.
CREATE OR REPLACE FUNCTION nerin_replace(s text, pattern text, replacement text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN length(pattern) = 0 THEN s
            ELSE regexp_replace(s COLLATE "und-x-icu", '***=' || pattern,
                                replace(replacement COLLATE "C", '\', '\\') COLLATE "und-x-icu", 'gi')
       END
$$;

-- CHAR: the character of code `n` in the Windows-1252 code page; NULL outside 0 to 255.
CREATE OR REPLACE FUNCTION nerin_char(n double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN trunc(n) BETWEEN 128 AND 159
            THEN chr(('{8364,129,8218,402,8222,8230,8224,8225,710,8240,352,8249,338,141,381,143,144,8216,'
                      '8217,8220,8221,8226,8211,8212,732,8482,353,8250,339,157,382,376}'::integer[])
                     [trunc(n)::integer - 127])
            WHEN trunc(n) BETWEEN 0 AND 255 THEN chr(trunc(n)::integer)
       END
$$;

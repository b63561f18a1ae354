-- Dates as texts: reading the date texts T-SQL reads, and writing dates in CONVERT's styles.

-- The date a text stands for, or NULL when it is not one. Read, with surrounding white space ignored:
--   "yyyy-MM-dd", optionally followed by a space or "T" and a time   (month and day may have one digit)
--   "yyyymmdd", optionally followed by a space and a time
--   "dd/mm/yyyy", optionally followed by a space and a time          (as the style says)
--   a time alone, which is that time on 1 January 1900
-- where a time is "H:mm", "H:mm:ss" or "H:mm:ss.f" with one to three fraction digits. Styles 1 and
-- 101 put the month first, 10 and 110 too with "-"; 4 and 104 separate with ".", 5 and 105 with "-";
-- styles below 100 also take a two-digit year (00-49 are 2000-2049, 50-99 are 1950-1999).
CREATE OR REPLACE FUNCTION nerin_datetime_text(value text, style double precision) RETURNS timestamp
LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
DECLARE
    -- Under the function's collation, which may be one the server does not search texts under.
    t text COLLATE "C" := nerin_trim(value);
    time_pattern constant text COLLATE "C" := '(\d{1,2}):(\d{2})(?::(\d{2})(?:\.(\d{1,3}))?)?';
    separator text COLLATE "C" := CASE mod(trunc(coalesce(style, 0))::integer, 100) WHEN 4 THEN '.' WHEN 5 THEN '-' WHEN 10 THEN '-' ELSE '/' END;
    month_first boolean := mod(trunc(coalesce(style, 0))::integer, 100) IN (1, 10);
    parts text[] COLLATE "C";
    y integer;
    m integer;
    d integer;
    clock text[] COLLATE "C";
BEGIN
    IF t ~ '^\d{4}-' THEN
        parts := regexp_match(t, '^(\d{4})-(\d{1,2})-(\d{1,2})(?:(?:T| +)' || time_pattern || ')?$');
        y := parts[1]; m := parts[2]; d := parts[3]; clock := parts[4:7];
    ELSIF t ~ '^\d{8}(?!\d)' THEN
        parts := regexp_match(t, '^(\d{4})(\d{2})(\d{2})(?: +' || time_pattern || ')?$');
        y := parts[1]; m := parts[2]; d := parts[3]; clock := parts[4:7];
    ELSIF t ~ '^\d{1,2}:' THEN
        parts := regexp_match(t, '^' || time_pattern || '$');
        y := 1900; m := 1; d := 1; clock := parts[1:4];
    ELSE
        parts := regexp_match(t, '^(\d{1,2})\' || separator || '(\d{1,2})\' || separator
                                 || CASE WHEN coalesce(style, 0) < 100 AND style IS NOT NULL
                                         THEN '(\d{4}|\d{2})' ELSE '(\d{4})' END
                                 || '(?: +' || time_pattern || ')?$');
        y := parts[3];
        IF length(parts[3]) = 2 THEN
            y := y + CASE WHEN y < 50 THEN 2000 ELSE 1900 END;
        END IF;
        m := CASE WHEN month_first THEN parts[1] ELSE parts[2] END;
        d := CASE WHEN month_first THEN parts[2] ELSE parts[1] END;
        clock := parts[4:7];
    END IF;
    IF parts IS NULL OR y < 1 OR m NOT BETWEEN 1 AND 12 OR d < 1
       OR d > extract(day FROM make_date(y, m, 1) + interval '1 month - 1 day')
       OR coalesce(clock[1]::integer, 0) > 23 OR coalesce(clock[2]::integer, 0) > 59
       OR coalesce(clock[3]::integer, 0) > 59 THEN
        RETURN NULL;
    END IF;
    RETURN make_timestamp(y, m, d, coalesce(clock[1]::integer, 0), coalesce(clock[2]::integer, 0), 0)
           + coalesce(clock[3]::integer, 0) * interval '1 second'
           + coalesce(rpad(clock[4], 3, '0')::integer, 0) * interval '1 millisecond';
END
$$;

-- A date written in a CONVERT style: 0 or 100 "Dec  6 2026  1:45PM", 1 "12/06/26", 101 "12/06/2026",
-- 3 "06/12/26", 103 "06/12/2026", 8 or 108 "13:45:07", 112 "20261206", 120 "2026-12-06 13:45:07",
-- 121 "2026-12-06 13:45:07.250", and the others T-SQL has; an unknown style writes as style 0.
CREATE OR REPLACE FUNCTION nerin_datetime_style(d timestamp, style double precision) RETURNS text
LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT CASE trunc(style)
           WHEN 1 THEN to_char(d, 'MM/DD/YY') WHEN 101 THEN to_char(d, 'MM/DD/YYYY')
           WHEN 2 THEN to_char(d, 'YY.MM.DD') WHEN 102 THEN to_char(d, 'YYYY.MM.DD')
           WHEN 3 THEN to_char(d, 'DD/MM/YY') WHEN 103 THEN to_char(d, 'DD/MM/YYYY')
           WHEN 4 THEN to_char(d, 'DD.MM.YY') WHEN 104 THEN to_char(d, 'DD.MM.YYYY')
           WHEN 5 THEN to_char(d, 'DD-MM-YY') WHEN 105 THEN to_char(d, 'DD-MM-YYYY')
           WHEN 6 THEN to_char(d, 'DD Mon YY') WHEN 106 THEN to_char(d, 'DD Mon YYYY')
           WHEN 7 THEN to_char(d, 'Mon DD, YY') WHEN 107 THEN to_char(d, 'Mon DD, YYYY')
           WHEN 8 THEN to_char(d, 'HH24:MI:SS') WHEN 24 THEN to_char(d, 'HH24:MI:SS')
           WHEN 108 THEN to_char(d, 'HH24:MI:SS')
           WHEN 9 THEN to_char(d, 'Mon ') || lpad(to_char(d, 'FMDD'), 2) || to_char(d, ' YYYY ')
                       || lpad(to_char(d, 'FMHH12'), 2) || to_char(d, ':MI:SS:MSAM')
           WHEN 109 THEN to_char(d, 'Mon ') || lpad(to_char(d, 'FMDD'), 2) || to_char(d, ' YYYY ')
                         || lpad(to_char(d, 'FMHH12'), 2) || to_char(d, ':MI:SS:MSAM')
           WHEN 10 THEN to_char(d, 'MM-DD-YY') WHEN 110 THEN to_char(d, 'MM-DD-YYYY')
           WHEN 11 THEN to_char(d, 'YY/MM/DD') WHEN 111 THEN to_char(d, 'YYYY/MM/DD')
           WHEN 12 THEN to_char(d, 'YYMMDD') WHEN 112 THEN to_char(d, 'YYYYMMDD')
           WHEN 13 THEN to_char(d, 'DD Mon YYYY HH24:MI:SS:MS')
           WHEN 113 THEN to_char(d, 'DD Mon YYYY HH24:MI:SS:MS')
           WHEN 14 THEN to_char(d, 'HH24:MI:SS:MS') WHEN 114 THEN to_char(d, 'HH24:MI:SS:MS')
           WHEN 20 THEN to_char(d, 'YYYY-MM-DD HH24:MI:SS') WHEN 120 THEN to_char(d, 'YYYY-MM-DD HH24:MI:SS')
           WHEN 21 THEN to_char(d, 'YYYY-MM-DD HH24:MI:SS.MS')
           WHEN 121 THEN to_char(d, 'YYYY-MM-DD HH24:MI:SS.MS')
           WHEN 126 THEN to_char(d, 'YYYY-MM-DD"T"HH24:MI:SS')
                         || CASE WHEN to_char(d, 'MS') <> '000' THEN to_char(d, '.MS') ELSE '' END
           WHEN 127 THEN to_char(d, 'YYYY-MM-DD"T"HH24:MI:SS')
                         || CASE WHEN to_char(d, 'MS') <> '000' THEN to_char(d, '.MS') ELSE '' END
           ELSE to_char(d, 'Mon ') || lpad(to_char(d, 'FMDD'), 2) || to_char(d, ' YYYY ')
                || lpad(to_char(d, 'FMHH12'), 2) || to_char(d, ':MIAM')
       END
$$;

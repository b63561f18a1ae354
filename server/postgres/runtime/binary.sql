-- Conversions of binary values ("0x…" literals, varbinary columns) as T-SQL converts them.

-- To a whole number: the value's last bytes, as many as the type holds, read most significant first;
-- signed but for tinyint. Fewer bytes than the type holds are taken as if zeros led them.
CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value bytea) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN w.width < 8 AND w.name <> 'tinyint' AND w.raw >= (1::bigint << (8 * w.width - 1))
            THEN w.raw - (1::bigint << (8 * w.width))
            ELSE w.raw END
FROM (SELECT b.name, b.width,
             ('x' || lpad(encode(substring(value FROM greatest(length(value) - b.width + 1, 1)), 'hex'), 16,
                          '0'))::bit(64)::bigint AS raw
      FROM (SELECT nerin_type_name(type) AS name,
                   CASE nerin_type_name(type) WHEN 'bigint' THEN 8 WHEN 'smallint' THEN 2 WHEN 'tinyint' THEN 1
                                              ELSE 4 END AS width) AS b) AS w
WHERE value IS NOT NULL
$$;

-- To a text: the bytes as the restaurant's code page reads them, fitted to the type's length.
CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value bytea) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_text(type, convert_from(value, 'WIN1252'))
$$;

CREATE OR REPLACE FUNCTION nerin_convert_int(type text, value bytea, style double precision) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_int(type, value)
$$;

CREATE OR REPLACE FUNCTION nerin_convert_text(type text, value bytea, style double precision) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT nerin_convert_text(type, value)
$$;

#pragma once

namespace nerin {

// The collation under which the restaurant's texts compare as the terminal expects of its database:
// without regard to case, but with regard to accents ('a' = 'A', 'á' = 'Á', 'a' <> 'á').
//
// It is nondeterministic, and PostgreSQL 15 refuses on texts under such a collation: LIKE, ILIKE and
// SIMILAR TO ("nondeterministic collations are not supported for LIKE"), regular expressions (~),
// and the substring searches strpos(), position(), replace(), split_part() and starts_with(). Those
// need the text under a deterministic collation (x COLLATE "default" LIKE …), with case folded by
// hand (lower()) where case must not matter. Comparisons, ORDER BY, GROUP BY, DISTINCT, min()/max(),
// unique and hash indexes all work, a unique index refusing 'a' beside 'A'.
struct PgCollation {
    static constexpr const char* kName = "nerin_ci";
    static constexpr const char* kCreate =
        "CREATE COLLATION nerin_ci (provider = icu, locale = 'und-u-ks-level2', deterministic = false)";
};

} // namespace nerin

#pragma once

#include "server/tsql/Catalogue.h"
#include "server/tsql/EngineResult.h"

#include <QString>
#include <QStringView>

namespace nerin::tsql {

// The T-SQL text a modern SQL Server takes for a batch the terminal wrote: the old outer joins of
// its queries (a.x *= b.y, a.x =* b.y), which SQL Server refuses from compatibility level 90 on, are
// written as LEFT JOINs with the meaning they had (see OuterJoinRewriter). Only the FROM and WHERE
// of such a query are written anew, each table and condition in them with its own text (the spaces
// and comments between them are not kept); everything else is kept as written, byte for byte.
class SqlServerRewrite {
public:
    // What a quick look at a batch finds outside its strings, quoted names and comments.
    struct Scan {
        bool outerJoinOperators = false; // "*=" or "=*": maybe an old outer join
        bool changesSchema = false;      // DROP or ALTER: the catalogue may have to forget
    };
    // Reads the text once, without tokenizing it.
    static Scan scan(QStringView batch);

    // The batch to send. It is `batch` itself unless scan() finds "*=" or "=*" and some query's
    // WHERE holds an old outer join. A batch the engine cannot read is sent as written, for the
    // server to judge; an old outer join with no LEFT JOIN of the same meaning, or a column of it the
    // catalogue cannot place, fails with a CommandTextError that says which. When scan() finds DROP
    // or ALTER, the catalogue forgets everything once the batch is rewritten, to read it afresh for
    // the next one.
    static Result<QString> rewrite(const QString& batch, Catalogue& catalogue);
};

} // namespace nerin::tsql

#pragma once

#include "base/Status.h"
#include "data/Connection.h"

#include <functional>

namespace nerin {

// Fills a demo restaurant with past days of business: closed orders on every working date before the
// current one, with their accounts, items, taxes, modifiers, cancellations and payments, about 400
// orders and 4,000 items a day, as the terminals would have stored them. Used to measure the
// terminal's statements against a database that holds a year of history.
class HistoryGenerator {
public:
    using Progress = std::function<void(int daysDone, int days)>;

    // `db` is an open demo database. Each day is written in one transaction; the same seed gives the
    // same history. Afterwards the newest order is a day-opening record on the current working date,
    // so the terminals start as before.
    static Status generate(Connection& db, int days, quint32 seed, const Progress& progress = {});
};

} // namespace nerin

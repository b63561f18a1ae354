#include "text/SpanishNames.h"

#include <QStringView>
#include <array>

namespace nerin {

namespace {

constexpr std::array<QStringView, 12> kMonthNames = {
    u"enero", u"febrero", u"marzo",      u"abril",   u"mayo",      u"junio",
    u"julio", u"agosto",  u"septiembre", u"octubre", u"noviembre", u"diciembre",
};
constexpr std::array<QStringView, 12> kMonthAbbreviations = {
    u"ene", u"feb", u"mar", u"abr", u"may", u"jun", u"jul", u"ago", u"sep", u"oct", u"nov", u"dic",
};
constexpr std::array<QStringView, 7> kDayNames = {
    u"lunes", u"martes", u"miércoles", u"jueves", u"viernes", u"sábado", u"domingo",
};
constexpr std::array<QStringView, 7> kDayAbbreviations = {
    u"lun", u"mar", u"mié", u"jue", u"vie", u"sáb", u"dom",
};

template <std::size_t N> QString pick(const std::array<QStringView, N>& names, int oneBased) {
    if (oneBased < 1 || static_cast<std::size_t>(oneBased) > N)
        return {};
    return names[static_cast<std::size_t>(oneBased - 1)].toString();
}

} // namespace

QString SpanishNames::monthName(int month) {
    return pick(kMonthNames, month);
}

QString SpanishNames::monthAbbreviation(int month) {
    return pick(kMonthAbbreviations, month);
}

QString SpanishNames::dayName(int dayOfWeek) {
    return pick(kDayNames, dayOfWeek);
}

QString SpanishNames::dayAbbreviation(int dayOfWeek) {
    return pick(kDayAbbreviations, dayOfWeek);
}

} // namespace nerin

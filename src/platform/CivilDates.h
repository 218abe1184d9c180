#pragma once

// Date arithmetic and the ISO form shared by the calendar backends and the
// update reminder.

#include "platform/Services.h"

#include <cstdio>
#include <optional>
#include <string>

namespace platform
{

inline bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

inline int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// Years 1 to 9999 only: what both platforms can write as a short date.
inline bool isRealDate(const CivilDate &d)
{
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month);
}

// Days since 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's
// days_from_civil), so differences count calendar-day boundaries.
inline long daysFromCivil(const CivilDate &d)
{
    const long y = d.month <= 2 ? d.year - 1 : d.year;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long mp = (d.month + 9) % 12;
    const long doy = (153 * mp + 2) / 5 + d.day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The year that ends in these two digits among the hundred years that end
// with lastYear: how a two-digit year is read.
inline int yearInWindow(int twoDigits, int lastYear)
{
    return lastYear - ((lastYear - twoDigits) % 100 + 100) % 100;
}

// YYYY-MM-DD.
inline std::string isoDate(const CivilDate &d)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

// Exactly YYYY-MM-DD naming a real date.
inline std::optional<CivilDate> parseIsoDate(const std::string &text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int fields[3] = {0, 0, 0};
    int field = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 4 || i == 7) {
            ++field;
            continue;
        }
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        fields[field] = fields[field] * 10 + (text[i] - '0');
    }
    const CivilDate d{fields[0], fields[1], fields[2]};
    if (!isRealDate(d))
        return std::nullopt;
    return d;
}

} // namespace platform

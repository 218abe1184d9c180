#include "platform/Calendar_posix.h"

#include "platform/Backends.h"
#include "platform/CivilDates.h"

#include <clocale>
#include <ctime>
#include <langinfo.h>
#include <locale.h>

namespace platform
{

namespace
{

// A year conversion of two digits (%y, or %Ey, %Oy with an era or the
// locale's own digits) in a strftime format.
bool hasTwoDigitYear(const char *format)
{
    for (const char *p = format; *p; ++p) {
        if (*p != '%')
            continue;
        const char *conversion = p[1] == 'E' || p[1] == 'O' ? p + 2 : p + 1;
        if (*conversion == 'y')
            return true;
        if (*conversion)
            p = conversion;
    }
    return false;
}

} // namespace

PosixCalendar::PosixCalendar()
{
    m_locale = ::newlocale(LC_TIME_MASK, "", locale_t(nullptr));
    if (!m_locale)
        m_locale = ::newlocale(LC_TIME_MASK, "C", locale_t(nullptr));
    if (m_locale)
        m_twoDigitYear = hasTwoDigitYear(::nl_langinfo_l(D_FMT, m_locale));
}

PosixCalendar::~PosixCalendar()
{
    if (m_locale)
        ::freelocale(m_locale);
}

CivilDate PosixCalendar::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&now, &local))
        return {1970, 1, 1};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string PosixCalendar::formatDate(const CivilDate &date)
{
    return isoDate(date);
}

// ISO 8601, or the locale's short date; only real calendar dates.
std::optional<CivilDate> PosixCalendar::parseDate(const std::string &text)
{
    if (auto iso = parseIsoDate(text))
        return iso;
    if (!m_locale)
        return std::nullopt;
    std::tm tm{};
    const char *end = ::strptime_l(text.c_str(), "%x", &tm, m_locale);
    if (!end || end != text.c_str() + text.size())
        return std::nullopt;
    CivilDate date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
    // strptime puts 69 to 99 in the 1900s, so 2069 would read as 1969.
    if (m_twoDigitYear)
        date.year = yearInWindow(date.year % 100, today().year + 49);
    if (!isRealDate(date))
        return std::nullopt;
    return date;
}

Calendar &hostCalendar()
{
    static PosixCalendar calendar;
    return calendar;
}

} // namespace platform

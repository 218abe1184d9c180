#include "platform/Calendar_posix.h"

#include "platform/Backends.h"
#include "platform/CivilDates.h"

#include <clocale>
#include <ctime>
#include <locale.h>

namespace platform
{

PosixCalendar::PosixCalendar()
{
    m_locale = ::newlocale(LC_TIME_MASK, "", locale_t(nullptr));
    if (!m_locale)
        m_locale = ::newlocale(LC_TIME_MASK, "C", locale_t(nullptr));
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

std::string PosixCalendar::formatShortDate(const CivilDate &date)
{
    std::tm tm{};
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    tm.tm_wday = static_cast<int>((daysFromCivil(date) % 7 + 11) % 7); // 1970-01-01 was a Thursday
    char buf[128];
    const std::size_t n = m_locale ? ::strftime_l(buf, sizeof buf, "%x", &tm, m_locale) : 0;
    return std::string(buf, n);
}

// The locale's own form, or ISO 8601; only real calendar dates.
std::optional<CivilDate> PosixCalendar::parseShortDate(const std::string &text)
{
    if (auto iso = parseIsoDate(text))
        return iso;
    if (!m_locale)
        return std::nullopt;
    std::tm tm{};
    tm.tm_mday = 0;
    const char *end = ::strptime_l(text.c_str(), "%x", &tm, m_locale);
    if (!end || end != text.c_str() + text.size())
        return std::nullopt;
    const CivilDate date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
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

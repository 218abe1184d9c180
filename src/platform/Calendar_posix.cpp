#include "platform/Backends.h"
#include "platform/CivilDates.h"

#include <clocale>
#include <ctime>
#include <locale.h>

namespace platform
{
namespace
{

// The user's LC_TIME conventions, or "C" when the environment names a
// locale that is not installed.
class TimeLocale
{
  public:
    TimeLocale()
    {
        m_locale = ::newlocale(LC_TIME_MASK, "", locale_t(nullptr));
        if (!m_locale)
            m_locale = ::newlocale(LC_TIME_MASK, "C", locale_t(nullptr));
    }
    ~TimeLocale()
    {
        if (m_locale)
            ::freelocale(m_locale);
    }
    TimeLocale(const TimeLocale &) = delete;
    TimeLocale &operator=(const TimeLocale &) = delete;
    locale_t get() const { return m_locale; }

  private:
    locale_t m_locale;
};

class PosixCalendar final : public Calendar
{
  public:
    CivilDate today() override
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        if (!::localtime_r(&now, &local))
            return {1970, 1, 1};
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    }

    std::string formatShortDate(const CivilDate &date) override
    {
        std::tm tm{};
        tm.tm_year = date.year - 1900;
        tm.tm_mon = date.month - 1;
        tm.tm_mday = date.day;
        tm.tm_wday = static_cast<int>((daysFromCivil(date) % 7 + 11) % 7); // 1970-01-01 was a Thursday
        char buf[128];
        const TimeLocale locale;
        const std::size_t n = locale.get() ? ::strftime_l(buf, sizeof buf, "%x", &tm, locale.get()) : 0;
        return std::string(buf, n);
    }

    // The locale's own form, or ISO 8601; only real calendar dates.
    std::optional<CivilDate> parseShortDate(const std::string &text) override
    {
        if (auto iso = parseIsoDate(text))
            return iso;
        const TimeLocale locale;
        if (!locale.get())
            return std::nullopt;
        std::tm tm{};
        tm.tm_mday = 0;
        const char *end = ::strptime_l(text.c_str(), "%x", &tm, locale.get());
        if (!end || end != text.c_str() + text.size())
            return std::nullopt;
        const CivilDate date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
        if (!isRealDate(date))
            return std::nullopt;
        return date;
    }
};

} // namespace

Calendar &hostCalendar()
{
    static PosixCalendar calendar;
    return calendar;
}

} // namespace platform

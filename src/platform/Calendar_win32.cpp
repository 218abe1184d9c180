#include "platform/Backends.h"
#include "platform/CivilDates.h"

#include <vector>
#include <windows.h>

namespace platform
{
namespace
{

enum class Field { Day, Month, Year };

// The numeric fields of the user's short date pattern (LOCALE_SSHORTDATE,
// e.g. "M/d/yyyy" or "dd.MM.yy"), in the order they appear.
struct ShortDatePattern {
    std::vector<Field> fields;
    bool monthByName = false;
    bool twoDigitYear = false;
};

ShortDatePattern readPattern(const std::string &pattern)
{
    ShortDatePattern p;
    for (std::size_t i = 0; i < pattern.size();) {
        const char ch = pattern[i];
        if (ch == '\'') {
            const auto close = pattern.find('\'', i + 1);
            i = close == std::string::npos ? pattern.size() : close + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == ch)
            ++run;
        if (ch == 'd' && run <= 2)
            p.fields.push_back(Field::Day);
        else if (ch == 'M' && run <= 2)
            p.fields.push_back(Field::Month);
        else if (ch == 'M')
            p.monthByName = true;
        else if (ch == 'y') {
            p.fields.push_back(Field::Year);
            p.twoDigitYear = run <= 2;
        }
        i += run;
    }
    return p;
}

std::string userShortDatePattern()
{
    char buf[128];
    const int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string();
}

// The last year a two-digit year can name, as the user has set it (Windows'
// default: 2049), so that the program reads such a year as other programs do.
int lastTwoDigitYear()
{
    DWORD year = 0;
    if (::GetCalendarInfoA(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                           &year) == 0 ||
        year < 100 || year > 9999)
        return 2049;
    return static_cast<int>(year);
}

std::vector<int> digitGroups(const std::string &text)
{
    std::vector<int> groups;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        int value = 0;
        std::size_t length = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++length)
            value = length < 5 ? value * 10 + (text[i] - '0') : 100000;
        groups.push_back(value);
    }
    return groups;
}

class Win32Calendar final : public Calendar
{
  public:
    CivilDate today() override
    {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        return {now.wYear, now.wMonth, now.wDay};
    }

    // The user's short date; the reminder keeps it where it reads back.
    std::string formatDate(const CivilDate &date) override
    {
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(date.year);
        st.wMonth = static_cast<WORD>(date.month);
        st.wDay = static_cast<WORD>(date.day);
        char buf[128];
        const int n = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string();
    }

    // ISO 8601, or the user's short date form: the numbers are read in the
    // pattern's order and the date counts only if it formats back to the text,
    // which also settles month and day names.
    std::optional<CivilDate> parseDate(const std::string &text) override
    {
        if (auto iso = parseIsoDate(text))
            return iso;
        const ShortDatePattern pattern = readPattern(userShortDatePattern());
        const std::vector<int> groups = digitGroups(text);
        if (pattern.fields.empty() || groups.size() != pattern.fields.size())
            return std::nullopt;
        CivilDate date;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            switch (pattern.fields[i]) {
            case Field::Day:
                date.day = groups[i];
                break;
            case Field::Month:
                date.month = groups[i];
                break;
            case Field::Year:
                date.year = groups[i];
                break;
            }
        }
        if (pattern.twoDigitYear && date.year < 100)
            date.year = yearInWindow(date.year, lastTwoDigitYear());
        const int firstMonth = pattern.monthByName ? 1 : date.month;
        const int lastMonth = pattern.monthByName ? 12 : date.month;
        for (int month = firstMonth; month <= lastMonth; ++month) {
            const CivilDate candidate{date.year, month, date.day};
            if (isRealDate(candidate) && formatDate(candidate) == text)
                return candidate;
        }
        return std::nullopt;
    }
};

} // namespace

Calendar &hostCalendar()
{
    static Win32Calendar calendar;
    return calendar;
}

} // namespace platform

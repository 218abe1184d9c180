#include "platform/Backends.h"

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

// The year that ends in these two digits among the hundred years that end
// with lastYear: how a two-digit year is read.
int yearInWindow(int twoDigits, int lastYear)
{
    return lastYear - ((lastYear - twoDigits) % 100 + 100) % 100;
}

class Win32Calendar final : public Calendar
{
  public:
    QDate today() override { return QDate::currentDate(); }

    // The user's short date; the reminder keeps it where it reads back.
    std::string formatDate(QDate date) override
    {
        if (!date.isValid())
            return {};
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(date.year());
        st.wMonth = static_cast<WORD>(date.month());
        st.wDay = static_cast<WORD>(date.day());
        char buf[128];
        const int n = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string();
    }

    // ISO 8601, or the user's short date form: the numbers are read in the
    // pattern's order and the date counts only if it formats back to the text,
    // which also settles month and day names.
    QDate parseDate(const std::string &text) override
    {
        if (const QDate iso = QDate::fromString(QString::fromStdString(text), Qt::ISODate); iso.isValid())
            return iso;
        const ShortDatePattern pattern = readPattern(userShortDatePattern());
        const std::vector<int> groups = digitGroups(text);
        if (pattern.fields.empty() || groups.size() != pattern.fields.size())
            return {};
        int year = 0, month = 0, day = 0;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            switch (pattern.fields[i]) {
            case Field::Day:
                day = groups[i];
                break;
            case Field::Month:
                month = groups[i];
                break;
            case Field::Year:
                year = groups[i];
                break;
            }
        }
        if (pattern.twoDigitYear && year < 100)
            year = yearInWindow(year, lastTwoDigitYear());
        const int firstMonth = pattern.monthByName ? 1 : month;
        const int lastMonth = pattern.monthByName ? 12 : month;
        for (int m = firstMonth; m <= lastMonth; ++m) {
            const QDate candidate(year, m, day);
            if (candidate.isValid() && formatDate(candidate) == text)
                return candidate;
        }
        return {};
    }
};

} // namespace

Calendar &hostCalendar()
{
    static Win32Calendar calendar;
    return calendar;
}

} // namespace platform

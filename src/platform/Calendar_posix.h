#pragma once

#include "platform/Services.h"

#include <locale.h>

namespace platform
{

// Today's date from the local clock; dates written as ISO 8601, which reads
// back the same in every locale and every year. What earlier versions wrote,
// the short date form of the user's LC_TIME locale ("C" where the environment
// names one that is not installed), is still read; a two-digit year in it is
// read as the year nearest today. The locale is loaded once, when the
// calendar is made. Tests fix today by overriding it.
class PosixCalendar : public Calendar
{
  public:
    PosixCalendar();
    ~PosixCalendar() override;
    PosixCalendar(const PosixCalendar &) = delete;
    PosixCalendar &operator=(const PosixCalendar &) = delete;

    CivilDate today() override;
    std::string formatDate(const CivilDate &date) override;
    std::optional<CivilDate> parseDate(const std::string &text) override;

  private:
    locale_t m_locale;
    bool m_twoDigitYear = false; // the locale's short date has a two-digit year
};

} // namespace platform

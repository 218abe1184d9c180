#pragma once

#include "platform/Services.h"

#include <locale.h>

namespace platform
{

// Today's date from the local clock, and the short date form of the user's
// LC_TIME locale ("C" where the environment names one that is not installed).
// The locale is loaded once, when the calendar is made: no locale object per
// date, and one form for the life of the process, as the rest of the program
// reads the environment once at start-up.
class PosixCalendar final : public Calendar
{
  public:
    PosixCalendar();
    ~PosixCalendar() override;
    PosixCalendar(const PosixCalendar &) = delete;
    PosixCalendar &operator=(const PosixCalendar &) = delete;

    CivilDate today() override;
    std::string formatShortDate(const CivilDate &date) override;
    std::optional<CivilDate> parseShortDate(const std::string &text) override;

  private:
    locale_t m_locale;
};

} // namespace platform

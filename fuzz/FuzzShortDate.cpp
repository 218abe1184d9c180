// The date the update reminder writes and reads back, in the locales the
// tests compile and in C. Once, at start: every day from 1900 to 2100 reads
// back as itself from the text the reminder stores for it, through the
// store's encoding. Then for any text: reading it gives a real date or none,
// and a date read is stored and read back as itself. Only the reminder's
// text and the Calendar interface are relied on, not the form written.

#include "app/Settings.h"
#include "app/UpdateReminder.h"
#include "platform/Calendar_posix.h"

#include "Check.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#ifndef STARBOND_TEST_LOCALES
#error "STARBOND_TEST_LOCALES: the folder the locales are compiled into"
#endif

namespace
{

struct Form {
    const char *locale;
    std::unique_ptr<platform::PosixCalendar> calendar;
};

std::vector<Form> g_forms;

void fail(const Form &form, const std::string &what, const platform::CivilDate &d)
{
    fuzz::check(false, std::string(form.locale) + ": " + what + " (" + std::to_string(d.year) + "-" +
                           std::to_string(d.month) + "-" + std::to_string(d.day) + ")");
}

bool isRealDate(const platform::CivilDate &d)
{
    using namespace std::chrono;
    return d.year >= 1 && d.year <= 9999 &&
           year_month_day(year(d.year), month(static_cast<unsigned>(d.month)), day(static_cast<unsigned>(d.day))).ok();
}

void checkRoundTrip(const Form &form, const platform::CivilDate &d)
{
    const std::string text = app::durationText(*form.calendar, d);
    if (form.calendar->parseDate(app::decodeText(app::encodeText(text))) != d)
        fail(form, "\"" + text + "\" reads back otherwise", d);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    ::setenv("LOCPATH", STARBOND_TEST_LOCALES, 1);
    for (const char *locale : {"C", "C.UTF-8", "en_US.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8", "zh_CN.UTF-8",
                               "ko_KR.UTF-8", "ar_EG.UTF-8", "fa_IR.UTF-8"}) {
        // A calendar quietly falls back to C where its locale is missing.
        if (const locale_t l = ::newlocale(LC_TIME_MASK, locale, locale_t(nullptr))) {
            ::freelocale(l);
        } else {
            std::fprintf(stderr, "%s is not in %s: run the test compile_test_locales first\n", locale,
                         STARBOND_TEST_LOCALES);
            std::exit(1);
        }
        ::setenv("LC_ALL", locale, 1);
        g_forms.push_back({locale, std::make_unique<platform::PosixCalendar>()});
    }
    ::unsetenv("LC_ALL");

    using namespace std::chrono;
    for (const Form &form : g_forms) {
        for (sys_days d = year_month_day(year(1900), January, day(1));
             d <= year_month_day(year(2100), December, day(31)); d += days(1)) {
            const year_month_day ymd(d);
            const platform::CivilDate date{int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day()))};
            checkRoundTrip(form, date);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    for (const Form &form : g_forms) {
        const auto date = form.calendar->parseDate(text);
        if (!date)
            continue;
        if (!isRealDate(*date))
            fail(form, "\"" + text + "\" reads as no real date", *date);
        checkRoundTrip(form, *date);
    }
    return 0;
}

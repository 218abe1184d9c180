#include "app/UpdateReminder.h"

#include "app/Settings.h"
#include "outreach/Links.h"
#include "platform/CivilDates.h"

#include <cstdint>

namespace app
{
namespace
{

bool isBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// Blanks, an optional sign, decimal digits, blanks; nullopt for anything else
// or a number outside 32 bits.
std::optional<std::int64_t> parseInt32(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t digitsStart = i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{INT32_MAX} + 1)
            return std::nullopt;
    }
    if (i == digitsStart)
        return std::nullopt;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return value;
}

} // namespace

ReminderStep nextReminderStep(const std::optional<platform::CivilDate> &stored, const platform::CivilDate &today)
{
    if (!stored)
        return ReminderStep::FirstStart;
    const long days = platform::daysFromCivil(*stored) - platform::daysFromCivil(today);
    return days >= -14 && days <= 14 ? ReminderStep::Quiet : ReminderStep::Ask;
}

// A short date can hold characters that the encoding drops (Japanese,
// Chinese, Korean, Arabic ones) or a year that reads back in another century.
std::string durationText(platform::Calendar &calendar, const platform::CivilDate &day)
{
    const std::string text = calendar.formatDate(day);
    if (calendar.parseDate(decodeText(encodeText(text))) == day)
        return text;
    return platform::isoDate(day);
}

std::string installCountAfterAsking(const std::string &stored)
{
    const auto count = parseInt32(stored);
    // INT32_MIN has no 32-bit absolute value, so it counts as unreadable too.
    if (!count || *count == INT32_MIN)
        return "1";
    return std::to_string(*count < 0 ? -*count : *count);
}

void checkUpdateReminder()
{
    auto &s = platform::services();
    const platform::CivilDate today = s.calendar->today();
    const std::string duration = readSetting("Duration");
    const auto stored = duration.empty() ? std::nullopt : s.calendar->parseDate(duration);

    switch (nextReminderStep(stored, today)) {
    case ReminderStep::Quiet:
        return;
    case ReminderStep::FirstStart:
        if (writeSetting("Install", "1"))
            writeSetting("Duration", durationText(*s.calendar, today));
        return;
    case ReminderStep::Ask:
        break;
    }

    const auto answer =
        s.messageBoxes->show(UpdateQuestion, platform::MsgIcon::Information, platform::MsgButtons::YesNo);
    // A refused write ends the reminder; what was written before stays.
    if (!writeSetting("Install", installCountAfterAsking(readSetting("Install"))))
        return;
    if (!writeSetting("Duration", durationText(*s.calendar, today)))
        return;
    if (answer == platform::MsgAnswer::Yes)
        outreach::openPage(outreach::Page::Download);
}

} // namespace app

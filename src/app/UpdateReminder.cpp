#include "app/UpdateReminder.h"

#include "app/Settings.h"
#include "outreach/Links.h"

#include <QByteArray>

#include <limits>

namespace app
{

ReminderStep nextReminderStep(QDate stored, QDate today)
{
    if (!stored.isValid())
        return ReminderStep::FirstStart;
    const qint64 days = today.daysTo(stored);
    return days >= -14 && days <= 14 ? ReminderStep::Quiet : ReminderStep::Ask;
}

// A short date can hold characters that the encoding drops (Japanese,
// Chinese, Korean, Arabic ones) or a year that reads back in another century.
std::string durationText(platform::Calendar &calendar, QDate day)
{
    const std::string text = calendar.formatDate(day);
    if (calendar.parseDate(decodeText(encodeText(text))) == day)
        return text;
    return day.toString(Qt::ISODate).toStdString();
}

std::string installCountAfterAsking(const std::string &stored)
{
    bool ok = false;
    const qlonglong count = QByteArray::fromStdString(stored).trimmed().toLongLong(&ok);
    // The smallest 32-bit number has no 32-bit absolute value, so it counts
    // as unreadable too.
    if (!ok || count <= std::numeric_limits<qint32>::min() || count > std::numeric_limits<qint32>::max())
        return "1";
    return std::to_string(count < 0 ? -count : count);
}

void checkUpdateReminder()
{
    auto &s = platform::services();
    const QDate today = s.calendar->today();
    const std::string duration = readSetting("Duration");
    const QDate stored = duration.empty() ? QDate() : s.calendar->parseDate(duration);

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

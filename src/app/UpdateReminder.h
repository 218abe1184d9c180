#pragma once

#include "platform/Services.h"

#include <string>

namespace app
{
// Once every fifteen days, asks whether to look for a newer version.
void checkUpdateReminder();

// The question, with a carriage return between its two sentences.
inline constexpr const char *UpdateQuestion =
    "There maybe an update to this software available\rDo you want to check for an update?";

// What a start does for the stored "Duration" date (invalid when missing or
// unreadable) and today's date.
enum class ReminderStep { FirstStart, Quiet, Ask };
ReminderStep nextReminderStep(QDate stored, QDate today);

// A day as "Duration" keeps it: the calendar's form where it reads back as
// the same day through the store's encoding, ISO 8601 otherwise.
std::string durationText(platform::Calendar &calendar, QDate day);

// The "Install" text written back after the question: the stored count's
// absolute value, or "1" when it cannot be read as a 32-bit number.
std::string installCountAfterAsking(const std::string &stored);
} // namespace app

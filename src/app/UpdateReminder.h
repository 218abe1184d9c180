#pragma once

namespace modHelp {
// Once every fifteen days, asks whether to look for a newer version.
void CheckUpdateReminder();
} // namespace modHelp

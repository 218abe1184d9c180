#pragma once

namespace modHelp
{
// Closes every window of the program, then ends the process at once.
void ExitApplication();
} // namespace modHelp

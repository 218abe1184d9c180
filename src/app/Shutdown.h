#pragma once

namespace modHelp
{
// Closes every window of the program, then ends the process at once.
void ExitApplication();
} // namespace modHelp

// The main window's close handling: shows the exit screen modeless (creating
// it once) and lets the main window go. The process lives on.
void MainWindowClosing();

#pragma once

#include "ui/PromotionStrip.h"

namespace ui
{
class MainWindow;
}

#include <cstdint>

namespace app
{

class Shutdown;

// The program, once the QApplication exists: puts the desktop's services in
// force, starts, and runs until the way out ends the process.
int runProgram();

// The start-up steps with whatever services are in force: one instance per
// logon, the update reminder, then the main window, shown (nullptr where
// there is none).
ui::MainWindow *startApplication(Shutdown &shutdown);

// A draw r in [0, 1) as 1..7 (r * 6 + 1 in single precision, halves to even),
// and the promotional label it puts on top.
std::int16_t coBrandNumber(float r);
ui::Promotion promotionFor(float r);

} // namespace app

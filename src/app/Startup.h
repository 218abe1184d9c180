#pragma once

#include "app/Shutdown.h"

#include <QObject>
#include <QPointer>
#include <QRandomGenerator>

#include <functional>

namespace ui
{
class MainWindow;
enum class Promotion;
} // namespace ui
namespace outreach
{
class ExitScreen;
}

namespace app
{

// A draw r in [0, 1) as 1..7 (r * 6 + 1 in single precision, halves to even),
// and the promotional label it puts on top.
int coBrandNumber(float r);
ui::Promotion promotionFor(float r);

// The generator's next value, uniform in [0, 1).
float uniformDraw(QRandomGenerator &random);

// The program as a whole: start-up, where every window is made and wired,
// and the way out. The windows tell it what the user asks; it decides.
class Program final : public QObject
{
    Q_OBJECT
  public:
    // terminate ends the process; tests hand in one that returns.
    explicit Program(std::function<void()> terminate, QObject *parent = nullptr);

    // One instance per logon, the update reminder, then the main window,
    // shown (nullptr where there is none and the process ends).
    ui::MainWindow *start();

  private:
    // Closing the main window leaves the exit screen; only its way out ends
    // the process.
    void showExitScreen();
    void seedFromClock();

    Shutdown m_shutdown;
    QRandomGenerator m_random;
    QPointer<outreach::ExitScreen> m_exitScreen;
};

// The program, once the QApplication exists: starts, and runs until the way
// out ends the process.
int runProgram();

} // namespace app

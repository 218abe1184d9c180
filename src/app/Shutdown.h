#pragma once

#include <QSet>

#include <functional>

class QWidget;

namespace app
{

// The way out of the program, one per run: closes every window of the
// program, visible or hidden, then ends the process at once.
class Shutdown
{
  public:
    // terminate ends the process; tests hand in one that returns.
    explicit Shutdown(std::function<void()> terminate);
    void exitApplication();

  private:
    std::function<void()> m_terminate;
    // A window's close handling may call exitApplication again (the exit
    // screen does); the inner call closes what is left and terminates.
    // Should terminate return (a test's), the outer call must neither walk
    // on nor terminate a second time.
    int m_depth = 0;
    bool m_terminated = false;
    QSet<QWidget *> m_closing;
};

} // namespace app

#pragma once

#include <QSet>

class QWidget;

namespace app
{

// The way out of the program, one per run: closes every window of the
// program, visible or hidden, then ends the process at once. The windows that
// lead out (the exit screen, a main window that cannot show it) hold it.
class Shutdown
{
  public:
    void exitApplication();

  private:
    // A window's close handling may call exitApplication again (the exit
    // screen does); the inner call closes what is left and terminates.
    // Should the terminator return (a test's fake), the outer call must
    // neither walk on nor terminate a second time.
    int m_depth = 0;
    bool m_terminated = false;
    QSet<QWidget *> m_closing;
};

} // namespace app

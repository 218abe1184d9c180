#pragma once

#include "ui/PromotionStrip.h"

#include <QMainWindow>
#include <QPointer>

namespace app
{
class Shutdown;
}
namespace outreach
{
class ExitScreen;
}

namespace ui
{

class InputView;
class ResultView;

// The program's one working window: the input view and the result view lie
// on top of each other, the one in front shown; a link above them, the
// promotional strip below and the menu bar. Closing it leaves the exit screen.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
  public:
    MainWindow(Promotion onTop, app::Shutdown &shutdown);

  protected:
    void closeEvent(QCloseEvent *event) override;

  private slots:
    void showReading();
    void askAnotherReading();

  private:
    void makeMenus();

    app::Shutdown &m_shutdown;
    InputView *m_input;
    ResultView *m_result;
    QPointer<outreach::ExitScreen> m_exitScreen;
};

} // namespace ui

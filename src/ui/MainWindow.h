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

  signals:
    // The window has been drawn for the first time.
    void drawn();

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private slots:
    void showReading();
    void askAnotherReading();

  private:
    void makeMenus();
    // The result view lies beneath the input view until the first reading, so
    // it is made once the window has been drawn, or when first needed.
    ResultView *resultView();

    app::Shutdown &m_shutdown;
    InputView *m_input;
    QWidget *m_client;
    ResultView *m_result = nullptr;
    QPointer<outreach::ExitScreen> m_exitScreen;
};

} // namespace ui

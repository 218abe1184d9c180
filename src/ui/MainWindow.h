#pragma once

#include "ui/PromotionStrip.h"

#include <QMainWindow>

namespace ui
{

class InputView;
class ResultView;

// The program's one working window: the input view and the result view lie
// on top of each other, the one in front shown; a link above them, the
// promotional strip below and the menu bar.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
  public:
    explicit MainWindow(Promotion onTop, QWidget *parent = nullptr);

  signals:
    // The window has been drawn for the first time.
    void drawn();
    // The window is closing, by its menu or its close box; it never refuses.
    void closing();

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

    InputView *m_input;
    QWidget *m_client;
    ResultView *m_result = nullptr;
};

} // namespace ui

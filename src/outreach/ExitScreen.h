#pragma once

#include <QWidget>

#include <string_view>

class QPushButton;

namespace app
{
class Shutdown;
}

namespace outreach
{

// The support text shown for a draw r in [0, 1), and the text of each.
int supportTextNumber(float r);
std::string_view supportText(int n);

// The last window of each run: a support text drawn at random, two links and
// the refer-a-friend form, kept above other programs' windows. Leaving it
// ends the process.
class ExitScreen final : public QWidget
{
    Q_OBJECT
  public:
    explicit ExitScreen(app::Shutdown &shutdown, QWidget *parent = nullptr);

  protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private slots:
    void visitHomePage();

  private:
    app::Shutdown &m_shutdown;
    QPushButton *m_visit;
};

} // namespace outreach

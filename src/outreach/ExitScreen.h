#pragma once

#include <QWidget>

#include <string_view>

class QPushButton;

namespace outreach
{

// The support text shown for a draw r in [0, 1), and the text of each.
int supportTextNumber(float r);
std::string_view supportText(int n);

// The last window of each run: one of the support texts, two links and the
// refer-a-friend form, kept above other programs' windows. Its Exit button
// and its close ask for the way out of the program.
class ExitScreen final : public QWidget
{
    Q_OBJECT
  public:
    explicit ExitScreen(int supportText, QWidget *parent = nullptr);

  signals:
    void exitAsked();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private slots:
    void visitHomePage();

  private:
    QPushButton *m_visit;
};

} // namespace outreach

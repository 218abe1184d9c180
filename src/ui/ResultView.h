#pragma once

#include "reading/Reading.h"
#include "ui/kit/Controls.h"

#include <array>

class QPushButton;
class QTabBar;
class QTextEdit;

namespace ui
{

class CardView;

// The result view: a tab strip over the user's card, the partner's card and
// the compatibility text, and the button that goes back for another reading.
class ResultView final : public Frame
{
    Q_OBJECT
  public:
    explicit ResultView(QWidget *parent);

    // Shows a reading on its pages, the user's card in front.
    void showReading(const reading::Reading &reading);

    QWidget *backButton() const;
    QWidget *tabStrip() const;
    QWidget *compatibilityBox() const;

  signals:
    void anotherReadingAsked();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private slots:
    void showPage(int tab);
    void emptyOwnClipboard();

  private:
    void showCompatibility(const std::vector<reading::TextRun> &runs);
    void browseRecords(int person, reading::RecordMove (*move)(reading::Person &));

    QPushButton *m_back;
    Frame *m_compatibilityPage;
    QTextEdit *m_compatibility;
    QTabBar *m_tabs;
    std::array<CardView *, 2> m_cards;
    reading::Reading m_reading;
};

} // namespace ui

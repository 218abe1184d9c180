#pragma once

#include "reading/Reading.h"
#include "ui/kit/Controls.h"

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
    void browseRecords(reading::Whose whose, bool forward);

    QPushButton *m_back;
    Frame *m_compatibilityPage;
    QTextEdit *m_compatibility;
    QTabBar *m_tabs;
    reading::Pair<CardView *> m_cards;
    reading::Reading m_reading;
    // The slot of each one's planet list that the card shows.
    reading::Pair<int> m_shownSlot;
};

} // namespace ui

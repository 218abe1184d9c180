#pragma once

#include "reading/BirthData.h"
#include "ui/kit/Controls.h"

class QLabel;
class QPushButton;

namespace ui
{

class PersonEntry;

// The input view: each person's name and date of birth, and the button that
// asks for the reading.
class InputView final : public Frame
{
    Q_OBJECT
  public:
    explicit InputView(QWidget *parent);

    reading::Couple input() const;
    // Both names empty, both dates 1 January 1900, the focus in the user's name.
    void clear();
    void focusName(reading::Whose whose);

    // The entries and the button, in the keyboard's order; then the picture.
    QList<QWidget *> keyboardOrder() const;
    QWidget *picture() const;

  signals:
    void readingAsked();

  private:
    QLabel *m_picture;
    reading::Pair<PersonEntry *> m_entries;
    QPushButton *m_proceed;
};

} // namespace ui

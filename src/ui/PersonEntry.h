#pragma once

#include "reading/BirthData.h"
#include "ui/kit/Controls.h"

class QComboBox;
class QLineEdit;

namespace ui
{

// One person's entry fields: a framed name box and day, month and year
// pick-lists. The name box takes letters, blanks and backspace only.
class PersonEntry final : public CaptionFrame
{
    Q_OBJECT
  public:
    PersonEntry(reading::Whose whose, QWidget *parent);

    reading::BirthInput input() const;
    // An empty name and 1 January 1900.
    void clear();

    QLineEdit *nameBox() const { return m_name; }
    // The name box, then the day, month and year lists.
    QList<QWidget *> keyboardOrder() const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    bool takesNameCharacter(QChar c);

    QLineEdit *m_name;
    QComboBox *m_day;
    QComboBox *m_month;
    QComboBox *m_year;
};

} // namespace ui

#pragma once

#include "reading/Reading.h"
#include "ui/kit/Controls.h"

class QLabel;
class QPushButton;

namespace ui
{

// One person's card on the result view: captions at the left, the values of
// the reading beside them, and the record buttons, which nothing shows.
class CardView final : public Frame
{
    Q_OBJECT
  public:
    CardView(reading::Whose whose, QWidget *parent);

    void setSign(const std::string &sign);
    void setCard(const reading::PersonCard &card);

  signals:
    void previousRecordAsked();
    void nextRecordAsked();

  private:
    QLabel *m_planet;
    QLabel *m_sign;
    QLabel *m_archetype;
    QLabel *m_ruler;
    QLabel *m_tarotCard;
    QLabel *m_detriment;
    QLabel *m_alsoKnownAs;
    QLabel *m_keywords;
    QLabel *m_characteristics;
};

} // namespace ui

#pragma once

#include "outreach/Referral.h"
#include "ui/kit/Controls.h"

#include <array>
#include <string_view>

class QPushButton;

namespace outreach
{

// The exit screen's refer-a-friend form: five boxes that show what they ask
// while empty, and the button that checks them and hands the request to the
// browser. The boxes keep what was typed, also once it is sent.
class ReferralForm final : public ui::CaptionFrame
{
    Q_OBJECT
  public:
    explicit ReferralForm(QWidget *parent);

    // The boxes and the button, in the keyboard's order.
    QList<QWidget *> keyboardOrder() const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private slots:
    void send();

  private:
    struct Box {
        QWidget *widget;
        std::string_view placeholder;
        bool refusesBlanks;
    };

    Referral typed() const;
    void clearPlaceholder(const Box &box);
    void restorePlaceholder(const Box &box);
    bool refuseBlanks(const Box &box, QEvent *event);

    Box m_name;
    Box m_email;
    Box m_friendName;
    Box m_friendEmail;
    QPushButton *m_send;
    Box m_message;
};

} // namespace outreach

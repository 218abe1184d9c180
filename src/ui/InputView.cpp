#include "ui/InputView.h"

#include "ui/PersonEntry.h"
#include "ui/kit/Images.h"
#include "ui/kit/Layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui
{

InputView::InputView(QWidget *parent) : Frame(parent, {"fraMain", 0, 480, 8250, 4900, "", {}, colours::Orange})
{
    m_picture =
        ui::picture(this, {"Picture1", 1622, 2175, 1545, 1575, "", {}, Inherit, 0, "Sun in the wheel of the planets"});
    m_entries[1] = new PersonEntry(Whose::Partner, this);
    m_entries[0] = new PersonEntry(Whose::User, this);
    m_proceed = button(this, {"cmdProceed", 4607, 4080, 3250, 550, "&Get Our Starbond Reading", Bold});
    label(this, {"lblLabel_28", 405, 1080, 3975, 855,
                 "Know your Starbond based on your Planetary Archetypes! Know more about the effect of the planets "
                 "on your love profile.",
                 Bold, Inherit, Centre | Wrap});

    showPicture(m_picture, starPicture);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->setFocusPolicy(Qt::TabFocus);
    // Return presses the button when it has the focus, as Space does.
    m_proceed->setAutoDefault(true);
    connect(m_proceed, &QPushButton::clicked, this, &InputView::readingAsked);
}

reading::Couple InputView::input() const
{
    return {m_entries[0]->input(), m_entries[1]->input()};
}

void InputView::clear()
{
    for (PersonEntry *entry : m_entries)
        entry->clear();
    focusName(0);
}

void InputView::focusName(int person)
{
    m_entries[person]->nameBox()->setFocus();
}

QList<QWidget *> InputView::keyboardOrder() const
{
    return m_entries[0]->keyboardOrder() + m_entries[1]->keyboardOrder() + QList<QWidget *>{m_proceed};
}

QWidget *InputView::picture() const
{
    return m_picture;
}

} // namespace ui

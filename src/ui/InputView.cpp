#include "ui/InputView.h"

#include "ui/PersonEntry.h"
#include "ui/kit/Images.h"
#include "ui/kit/Layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui
{

using reading::Whose;

InputView::InputView(QWidget *parent)
    : Frame(parent, {.name = "fraMain", .rect = {0, 480, 8250, 4900}, .colour = colours::Orange})
{
    m_picture = ui::picture(
        this,
        {.name = "Picture1", .rect = {1622, 2175, 1545, 1575}, .accessibleName = "Sun in the wheel of the planets"});
    m_entries.partner = new PersonEntry(Whose::Partner, this);
    m_entries.user = new PersonEntry(Whose::User, this);
    m_proceed = button(
        this,
        {.name = "cmdProceed", .rect = {4607, 4080, 3250, 550}, .text = "&Get Our Starbond Reading", .face = Bold});
    label(this, {.name = "lblLabel_28",
                 .rect = {405, 1080, 3975, 855},
                 .text = "Know your Starbond based on your Planetary Archetypes! Know more about the effect of the "
                         "planets on your love profile.",
                 .face = Bold,
                 .style = Centre | Wrap});

    showPicture(m_picture, starPicture);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->setFocusPolicy(Qt::TabFocus);
    // Return presses the button when it has the focus, as Space does.
    m_proceed->setAutoDefault(true);
    connect(m_proceed, &QPushButton::clicked, this, &InputView::readingAsked);
}

reading::Couple InputView::input() const
{
    return {m_entries.user->input(), m_entries.partner->input()};
}

void InputView::clear()
{
    for (const Whose whose : reading::BothPeople)
        m_entries[whose]->clear();
    focusName(Whose::User);
}

void InputView::focusName(Whose whose)
{
    m_entries[whose]->nameBox()->setFocus();
}

QList<QWidget *> InputView::keyboardOrder() const
{
    return m_entries.user->keyboardOrder() + m_entries.partner->keyboardOrder() + QList<QWidget *>{m_proceed};
}

QWidget *InputView::picture() const
{
    return m_picture;
}

} // namespace ui

#include "ui/CardView.h"

#include "ui/PersonEntry.h"
#include "ui/kit/Layout.h"

#include <QLabel>
#include <QPushButton>

namespace ui
{
namespace
{

// The two cards are laid out alike; they differ in their names.
struct CardNames {
    const char *frame;
    const char *captions[10]; // the rows top down, then "person"
    const char *values[9];    // the rows top down
    const char *back, *next;
};

constexpr CardNames UserCard{
    "fraDisplay_0",
    {"lblLabel_9", "lblLabel_8", "lblLabel_10", "lblLabel_15", "lblLabel_16", "lblLabel_17", "lblLabel_12",
     "lblLabel_13", "lblLabel_11", "lblLabel_30"},
    {"lblResult_1", "lblResult_0", "lblResult_2", "lblResult_7", "lblResult_8", "lblResult_9", "lblResult_4",
     "lblResult_5", "lblResult_3"},
    "cmdBack1",
    "cmdNext1",
};
constexpr CardNames PartnerCard{
    "fraDisplay_1",
    {"lblLabel_26", "lblLabel_27", "lblLabel_25", "lblLabel_22", "lblLabel_21", "lblLabel_20", "lblLabel_19",
     "lblLabel_18", "lblLabel_24", "lblLabel_29"},
    {"lblResult_11", "lblResult_10", "lblResult_12", "lblResult_17", "lblResult_18", "lblResult_19", "lblResult_14",
     "lblResult_15", "lblResult_13"},
    "cmdBack2",
    "cmdNext2",
};

const CardNames &namesOf(Whose whose)
{
    return whose == Whose::User ? UserCard : PartnerCard;
}

// Writes a value; those without word wrap size themselves to the text.
void setValue(QLabel *label, std::string_view text)
{
    label->setText(qString(text));
    if (!label->wordWrap())
        label->adjustSize();
}

} // namespace

CardView::CardView(Whose whose, QWidget *parent)
    : Frame(parent, {namesOf(whose).frame, 0, 440, 8250, 3900, "", {}, colours::Orange})
{
    const CardNames &names = namesOf(whose);
    // A silver caption at the left and its value beside it, a row every 256
    // twips; the values read "Label" until the first reading.
    int row = 0;
    const auto value = [&](const char *caption, Face face = {}) {
        const int top = 120 + 256 * row;
        label(this, {names.captions[row], 120, top, 0, 0, caption, Bold, colours::Silver});
        QLabel *made = label(this, {names.values[row], 2280, top, 0, 0, "Label", face, colours::Black});
        ++row;
        return made;
    };
    m_planet = value("You are a ", {"Verdana", 9, true});
    m_sign = value("Sun Sign");
    m_archetype = value("Planetary Archetype");
    m_ruler = value("Ruler");
    m_tarotCard = value("Tarot Card");
    m_detriment = value("Detriment");
    m_alsoKnownAs = value("Also Known As");
    m_keywords = value("Keywords");
    label(this, {names.captions[row], 120, 2168, 0, 0, "Archetypal Characteristics", Bold, colours::Silver});
    m_characteristics = label(this, {names.values[row], 120, 2430, 7965, 780, "Label", {}, colours::Black, Wrap});
    label(this, {names.captions[9], 3330, 135, 0, 0, "person", Bold, colours::Silver});

    auto *back = button(this, {names.back, 120, 3450, 1000, 350, "&Back", Bold});
    auto *next = button(this, {names.next, 7125, 3450, 1000, 350, "&Next", Bold});
    back->hide();
    next->hide();
    connect(back, &QPushButton::clicked, this, &CardView::previousRecordAsked);
    connect(next, &QPushButton::clicked, this, &CardView::nextRecordAsked);
}

void CardView::setSign(const std::string &sign)
{
    setValue(m_sign, sign);
}

void CardView::setCard(const reading::PersonCard &card)
{
    setValue(m_planet, card.planet);
    setValue(m_archetype, card.archetype);
    setValue(m_characteristics, card.characteristics);
    setValue(m_alsoKnownAs, card.alsoKnownAs);
    setValue(m_keywords, card.keywords);
    setValue(m_ruler, card.ruler);
    setValue(m_tarotCard, card.tarotCard);
    setValue(m_detriment, card.detriment);
}

} // namespace ui

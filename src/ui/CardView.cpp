#include "ui/CardView.h"

#include "ui/kit/Layout.h"

#include <QLabel>
#include <QPushButton>

namespace ui
{
namespace
{

using reading::Whose;

// A silver caption and the value beside it, by their names.
struct Row {
    const char *caption;
    const char *value;
};

// The two cards are laid out alike; they differ in their names.
struct CardNames {
    const char *frame;
    Row planet, sign, archetype, ruler, tarotCard, detriment, alsoKnownAs, keywords, characteristics;
    const char *person; // the caption after the planet
    const char *back, *next;
};

constexpr CardNames UserCard{
    .frame = "fraDisplay_0",
    .planet = {.caption = "lblLabel_9", .value = "lblResult_1"},
    .sign = {.caption = "lblLabel_8", .value = "lblResult_0"},
    .archetype = {.caption = "lblLabel_10", .value = "lblResult_2"},
    .ruler = {.caption = "lblLabel_15", .value = "lblResult_7"},
    .tarotCard = {.caption = "lblLabel_16", .value = "lblResult_8"},
    .detriment = {.caption = "lblLabel_17", .value = "lblResult_9"},
    .alsoKnownAs = {.caption = "lblLabel_12", .value = "lblResult_4"},
    .keywords = {.caption = "lblLabel_13", .value = "lblResult_5"},
    .characteristics = {.caption = "lblLabel_11", .value = "lblResult_3"},
    .person = "lblLabel_30",
    .back = "cmdBack1",
    .next = "cmdNext1",
};
constexpr CardNames PartnerCard{
    .frame = "fraDisplay_1",
    .planet = {.caption = "lblLabel_26", .value = "lblResult_11"},
    .sign = {.caption = "lblLabel_27", .value = "lblResult_10"},
    .archetype = {.caption = "lblLabel_25", .value = "lblResult_12"},
    .ruler = {.caption = "lblLabel_22", .value = "lblResult_17"},
    .tarotCard = {.caption = "lblLabel_21", .value = "lblResult_18"},
    .detriment = {.caption = "lblLabel_20", .value = "lblResult_19"},
    .alsoKnownAs = {.caption = "lblLabel_19", .value = "lblResult_14"},
    .keywords = {.caption = "lblLabel_18", .value = "lblResult_15"},
    .characteristics = {.caption = "lblLabel_24", .value = "lblResult_13"},
    .person = "lblLabel_29",
    .back = "cmdBack2",
    .next = "cmdNext2",
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
    : Frame(parent, {.name = namesOf(whose).frame, .rect = {0, 440, 8250, 3900}, .colour = colours::Orange})
{
    const CardNames &names = namesOf(whose);
    const auto caption = [this](const char *name, Twips rect, const char *text) {
        label(this, {.name = name, .rect = rect, .text = text, .face = Bold, .colour = colours::Silver});
    };
    // A silver caption at the left and its value beside it, a row every 256
    // twips; the values read "Label" until the first reading.
    int top = 120;
    const auto value = [&](Row row, const char *text, const Face &face = {}) {
        caption(row.caption, {120, top}, text);
        QLabel *made = label(
            this, {.name = row.value, .rect = {2280, top}, .text = "Label", .face = face, .colour = colours::Black});
        top += 256;
        return made;
    };
    m_planet = value(names.planet, "You are a ", {.family = "Verdana", .points = 9, .bold = true});
    m_sign = value(names.sign, "Sun Sign");
    m_archetype = value(names.archetype, "Planetary Archetype");
    m_ruler = value(names.ruler, "Ruler");
    m_tarotCard = value(names.tarotCard, "Tarot Card");
    m_detriment = value(names.detriment, "Detriment");
    m_alsoKnownAs = value(names.alsoKnownAs, "Also Known As");
    m_keywords = value(names.keywords, "Keywords");
    caption(names.characteristics.caption, {120, top}, "Archetypal Characteristics");
    m_characteristics = label(this, {.name = names.characteristics.value,
                                     .rect = {120, 2430, 7965, 780},
                                     .text = "Label",
                                     .colour = colours::Black,
                                     .style = Wrap});
    caption(names.person, {3330, 135}, "person");

    auto *back = button(this, {.name = names.back, .rect = {120, 3450, 1000, 350}, .text = "&Back", .face = Bold});
    auto *next = button(this, {.name = names.next, .rect = {7125, 3450, 1000, 350}, .text = "&Next", .face = Bold});
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

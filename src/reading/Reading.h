#pragma once

// A reading as a value: the two people with their signs and planets, their
// cards and the compatibility text, computed from what was entered.

#include "reading/BirthData.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reading
{

struct Person {
    std::string name; // trimmed
    int day = 0;
    std::string monthName;
    std::string sunSign;
    // A reading fills slot 0 with the ruling planet and ends the list in
    // slot 1; slot 2 is never written.
    std::array<std::optional<Planet>, 3> planets{};
};

// The card's values beside the sign.
struct PersonCard {
    std::string planet; // upper case
    std::string_view archetype;
    std::string_view characteristics;
    std::string_view alsoKnownAs;
    std::string_view keywords;
    std::string_view ruler;
    std::string_view tarotCard;
    std::string_view detriment;
};

struct TextRun {
    std::string text; // line breaks are "\r\n"
    bool bold = false;
    friend bool operator==(const TextRun &, const TextRun &) = default;
};

struct Reading {
    Pair<Person> people;
    Pair<std::optional<PersonCard>> cards; // of each one's first planet
    std::vector<TextRun> compatibility;
};

// The reading of input that passed the checks.
Reading readingOf(const Couple &input);

// The card of the planet in the slot; nullopt where the slot holds none.
std::optional<PersonCard> cardOf(const Person &person, int slot);

// The whole compatibility text as bold and regular runs.
std::vector<TextRun> compatibilityOf(const Person &user, const Person &partner);

// Browsing a person's planet list from the slot a card shows: the card to
// show next, or the end that was met, the slot put back on the list.
enum class RecordMove { Moved, AtFirst, AtLast };
RecordMove previousRecord(int &slot);
RecordMove nextRecord(const Person &person, int &slot);

} // namespace reading

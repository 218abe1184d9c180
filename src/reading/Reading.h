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
    std::int16_t day = 0;
    std::string monthName;
    std::string sunSign;
    // A reading fills slot 0 with the ruling planet and ends the list in
    // slot 1; slot 2 is never written.
    std::array<PlanetCode, 3> planets{};
    std::int16_t planetPos = 0; // the slot the card shows
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
    std::array<Person, 2> people; // 0 the user, 1 the partner
    std::array<std::optional<PersonCard>, 2> cards;
    std::vector<TextRun> compatibility;
};

// The reading of input that passed the checks.
Reading readingOf(const Couple &input);

// nullopt when the slot at planetPos holds no planet.
std::optional<PersonCard> cardOf(const Person &person);

// The whole compatibility text as bold and regular runs.
std::vector<TextRun> compatibilityOf(const Person &user, const Person &partner);

// Browsing a person's planet list: the card to show again, or the end that
// was met (planetPos is put back on the list).
enum class RecordMove { Moved, AtFirst, AtLast };
RecordMove previousRecord(Person &person);
RecordMove nextRecord(Person &person);

} // namespace reading

#pragma once

// What the result view shows, composed from Persons and the archetype table.

#include "reading/Persons.h"

#include <optional>
#include <string>
#include <vector>

namespace modStarbond
{

// The eight card values that ShowPersonCard writes (the sign is written by the
// reading itself).
struct PersonCard {
    std::string planet; // upper case
    std::string archetype;
    std::string characteristics;
    std::string alsoKnownAs;
    std::string keywords;
    std::string ruler;
    std::string tarotCard;
    std::string detriment;
};

// Loads the archetypes; nullopt when the entry at PlanetPos is not a planet.
std::optional<PersonCard> ComposePersonCard(const PersonEntry &person);

struct TextRun {
    std::string text; // line breaks are "\r\n"
    bool bold = false;
    friend bool operator==(const TextRun &, const TextRun &) = default;
};

// Loads the archetypes; the whole compatibility text as bold and regular runs.
std::vector<TextRun> ComposeCompatibility(const PersonEntry &user, const PersonEntry &partner);

} // namespace modStarbond

#include "reading/Reading.h"

#include "reading/Archetypes.h"
#include "reading/Text.h"

#include <algorithm>

namespace reading
{
namespace
{

constexpr std::string_view CrLf = "\r\n";

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

Person personOf(const BirthInput &input)
{
    Person person;
    person.name = trimBlanks(input.nameText);
    // A position beyond the day list's never comes from it.
    person.day = std::clamp(input.dayPosition, 0, 30) + 1;
    person.monthName = trimBlanks(input.monthText);
    person.sunSign = sunSign(person.monthName, person.day);
    person.planets[0] = rulingPlanet(person.sunSign);
    return person;
}

// One section: the heading about `first`, then the romancing paragraph of each
// of the first two planet slots. Slot 2 is not part of the text.
void appendSection(std::vector<TextRun> &runs, const Person &first, const Person &second)
{
    runs.push_back({"Compatibility of " + first.name + " with " + second.name + std::string(CrLf), true});
    for (std::size_t slot = 0; slot < 2; ++slot) {
        if (!first.planets[slot])
            continue;
        const Archetype &archetype = archetypeOf(*first.planets[slot]);
        runs.push_back({"Romancing the " + std::string(archetype.planetName) + " person." + std::string(CrLf), true});
        runs.push_back({std::string(archetype.romancing) + std::string(CrLf) + std::string(CrLf), false});
    }
}

} // namespace

Reading readingOf(const Couple &input)
{
    Reading reading;
    for (const Whose whose : BothPeople) {
        reading.people[whose] = personOf(input[whose]);
        reading.cards[whose] = cardOf(reading.people[whose], 0);
    }
    reading.compatibility = compatibilityOf(reading.people.user, reading.people.partner);
    return reading;
}

std::optional<PersonCard> cardOf(const Person &person, int slot)
{
    if (slot < 0 || slot >= static_cast<int>(person.planets.size()) || !person.planets[static_cast<std::size_t>(slot)])
        return std::nullopt;
    const Archetype &archetype = archetypeOf(*person.planets[static_cast<std::size_t>(slot)]);
    return PersonCard{
        .planet = upperCase(archetype.planetName),
        .archetype = archetype.archetype,
        .characteristics = archetype.characteristics,
        .alsoKnownAs = archetype.alsoKnownAs,
        .keywords = archetype.keywords,
        .ruler = archetype.ruler,
        .tarotCard = archetype.tarotCard,
        .detriment = archetype.detriment,
    };
}

std::vector<TextRun> compatibilityOf(const Person &user, const Person &partner)
{
    std::vector<TextRun> runs;
    appendSection(runs, user, partner);
    appendSection(runs, partner, user);
    return runs;
}

RecordMove previousRecord(int &slot)
{
    if (--slot < 0) {
        slot = 0;
        return RecordMove::AtFirst;
    }
    return RecordMove::Moved;
}

// The list has three slots; the last one is never shown.
RecordMove nextRecord(const Person &person, int &slot)
{
    ++slot;
    if (slot >= 2 || !person.planets[static_cast<std::size_t>(slot)]) {
        slot = 1;
        return RecordMove::AtLast;
    }
    return RecordMove::Moved;
}

} // namespace reading

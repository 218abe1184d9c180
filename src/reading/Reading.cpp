#include "reading/Reading.h"

#include "reading/Archetypes.h"
#include "reading/Text.h"

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
    // Wide enough for any position: those beyond the pick-list never come
    // from it, but must not overflow.
    person.day = static_cast<std::int16_t>(std::int64_t{input.dayPosition} + 1);
    person.monthName = trimBlanks(input.monthText);
    person.sunSign = sunSign(person.monthName, person.day);
    person.planets[0] = rulingPlanet(person.sunSign);
    person.planets[1] = NoPlanet;
    return person;
}

// One section: the heading about `first`, then the romancing paragraph of each
// of the first two planet slots. Slot 2 is not part of the text.
void appendSection(std::vector<TextRun> &runs, const Person &first, const Person &second)
{
    runs.push_back({"Compatibility of " + first.name + " with " + second.name + std::string(CrLf), true});
    for (std::size_t slot = 0; slot < 2; ++slot) {
        const Archetype *archetype = archetypeOf(first.planets[slot]);
        if (!archetype)
            continue;
        runs.push_back({"Romancing the " + std::string(archetype->planetName) + " person." + std::string(CrLf), true});
        runs.push_back({std::string(archetype->romancing) + std::string(CrLf) + std::string(CrLf), false});
    }
}

} // namespace

Reading readingOf(const Couple &input)
{
    Reading reading;
    for (std::size_t i = 0; i < input.size(); ++i) {
        reading.people[i] = personOf(input[i]);
        reading.cards[i] = cardOf(reading.people[i]);
    }
    reading.compatibility = compatibilityOf(reading.people[0], reading.people[1]);
    return reading;
}

std::optional<PersonCard> cardOf(const Person &person)
{
    if (person.planetPos < 0 || person.planetPos >= static_cast<std::int16_t>(person.planets.size()))
        return std::nullopt;
    const Archetype *archetype = archetypeOf(person.planets[static_cast<std::size_t>(person.planetPos)]);
    if (!archetype)
        return std::nullopt;
    return PersonCard{
        upperCase(archetype->planetName),
        archetype->archetype,
        archetype->characteristics,
        archetype->alsoKnownAs,
        archetype->keywords,
        archetype->ruler,
        archetype->tarotCard,
        archetype->detriment,
    };
}

std::vector<TextRun> compatibilityOf(const Person &user, const Person &partner)
{
    std::vector<TextRun> runs;
    appendSection(runs, user, partner);
    appendSection(runs, partner, user);
    return runs;
}

RecordMove previousRecord(Person &person)
{
    if (--person.planetPos < 0) {
        person.planetPos = 0;
        return RecordMove::AtFirst;
    }
    return RecordMove::Moved;
}

// The list has three slots; the last one is never shown.
RecordMove nextRecord(Person &person)
{
    ++person.planetPos;
    if (person.planetPos >= 2 || person.planets[static_cast<std::size_t>(person.planetPos)] == NoPlanet) {
        person.planetPos = 1;
        return RecordMove::AtLast;
    }
    return RecordMove::Moved;
}

} // namespace reading

#include "reading/Composition.h"

#include "reading/Archetypes.h"

namespace modStarbond
{

namespace
{

const char *const kCrLf = "\r\n";

std::string UpperCase(std::string text)
{
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// One section: the heading about `first`, then the romancing paragraph of each
// of the first two planet slots. Slot 2 is not part of the text.
void AppendSection(std::vector<TextRun> &runs, const PersonEntry &first, const PersonEntry &second)
{
    runs.push_back({"Compatibility of " + first.name + " with " + second.name + kCrLf, true});
    for (std::size_t slot = 0; slot < 2; ++slot) {
        const ArchetypeRecord *record = ArchetypeOf(first.Planets[slot]);
        if (!record)
            continue;
        runs.push_back({"Romancing the " + record->PlanetName + " person." + kCrLf, true});
        runs.push_back({record->Romancing + kCrLf + kCrLf, false});
    }
}

} // namespace

std::optional<PersonCard> ComposePersonCard(const PersonEntry &person)
{
    LoadArchetypes();
    if (person.PlanetPos < 0 || person.PlanetPos >= static_cast<std::int16_t>(person.Planets.size()))
        return std::nullopt;
    const ArchetypeRecord *record = ArchetypeOf(person.Planets[static_cast<std::size_t>(person.PlanetPos)]);
    if (!record)
        return std::nullopt;
    return PersonCard{
        UpperCase(record->PlanetName),
        record->Archetype,
        record->Characteristics,
        record->AlsoKnownAs,
        record->Keywords,
        record->Ruler,
        record->TarotCard,
        record->Detriment,
    };
}

std::vector<TextRun> ComposeCompatibility(const PersonEntry &user, const PersonEntry &partner)
{
    LoadArchetypes();
    std::vector<TextRun> runs;
    AppendSection(runs, user, partner);
    AppendSection(runs, partner, user);
    return runs;
}

} // namespace modStarbond

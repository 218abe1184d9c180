#pragma once

#include "reading/Persons.h"

#include <array>
#include <string>

namespace modStarbond
{

struct ArchetypeRecord {
    std::string PlanetName;
    std::string Archetype;
    std::string Characteristics;
    std::string AlsoKnownAs;
    std::string Keywords;
    std::string Romancing;
    std::string Ruler;
    std::string TarotCard;
    std::string Detriment;
};

// Indexed by PlanetCode 0..9; empty until the first LoadArchetypes.
extern std::array<ArchetypeRecord, 10> ArchetypeTable;

void LoadArchetypes();

// The row for a code, or nullptr for a code outside 0..9 (NoPlanet included).
const ArchetypeRecord *ArchetypeOf(PlanetCode code);

} // namespace modStarbond

#pragma once

// The ten planetary archetypes, one constant table compiled into the program.

#include "reading/BirthData.h"

#include <string_view>

namespace reading
{

struct Archetype {
    std::string_view planetName;
    std::string_view archetype;
    std::string_view characteristics;
    std::string_view alsoKnownAs;
    std::string_view keywords;
    std::string_view romancing;
    std::string_view ruler;
    std::string_view tarotCard;
    std::string_view detriment;
};

const Archetype &archetypeOf(Planet planet);

} // namespace reading

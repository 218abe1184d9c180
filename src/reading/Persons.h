#pragma once

// The two people of the current reading and the rules that turn a name and a
// birth date into a sun sign and a ruling planet.

#include "reading/Text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace modStarbond
{

using PlanetCode =
    std::int16_t; // 0 Sun, 1 Moon, 2 Mars, 3 Venus, 4 Mercury, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune, 9 Pluto
inline constexpr PlanetCode NoPlanet = -1;

struct PersonEntry {
    std::string name;
    std::int16_t day = 0;
    std::string monthName;
    std::string sunSign;
    std::array<PlanetCode, 3> Planets{};
    std::int16_t PlanetPos = 0;
};

// Index 0 the user, 1 the partner; rewritten whole by each reading.
extern std::array<PersonEntry, 2> Persons;

// What one person's input controls hold, as the checks see it.
struct BirthInput {
    std::string nameText;  // untrimmed
    int dayPosition = 0;   // 0 is day 1
    int monthPosition = 0; // 0 is January
    std::string monthText; // shown text of the month pick-list
    std::string yearText;
};

// The first failing input check: what kind of fault, its message, and the
// person whose name box takes the focus (nullopt: the focus stays where it is).
enum class FaultKind { MissingName, WrongDate };
struct InputFault {
    FaultKind kind = FaultKind::MissingName;
    std::string message;
    std::optional<int> focusPerson;
};

std::optional<InputFault> FirstInputFault(const std::array<BirthInput, 2> &input);

std::string ComputeSunSign(const std::string &monthName, int day);
PlanetCode RulingPlanet(const std::string &sunSign);

// Steps after validation: fills Persons from the input (names trimmed, signs,
// planets, PlanetPos 0). The caller has checked the input already.
void FillPersons(const std::array<BirthInput, 2> &input);

using textutil::TrimBlanks;

} // namespace modStarbond

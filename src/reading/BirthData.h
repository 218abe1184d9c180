#pragma once

// What the user enters for a person, the checks of it, and the rules that
// turn a birth date into a sun sign and a sign into its ruling planet.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace reading
{

// 0 Sun, 1 Moon, 2 Mars, 3 Venus, 4 Mercury, 5 Jupiter, 6 Saturn, 7 Uranus,
// 8 Neptune, 9 Pluto.
using PlanetCode = std::int16_t;
inline constexpr PlanetCode NoPlanet = -1;

// The months as the pick-lists show them, in calendar order.
inline constexpr std::array<std::string_view, 12> MonthNames{"January",   "February", "March",    "April",
                                                             "May",       "June",     "July",     "August",
                                                             "September", "October",  "November", "December"};

// What one person's input controls hold, as the checks see it.
struct BirthInput {
    std::string nameText;  // untrimmed
    int dayPosition = 0;   // 0 is day 1
    int monthPosition = 0; // 0 is January
    std::string monthText; // shown text of the month pick-list
    std::string yearText;
};

// Index 0 the user, 1 the partner.
using Couple = std::array<BirthInput, 2>;

// The first failing input check: what kind of fault, its message, and the
// person whose name box takes the focus (nullopt: the focus stays where it is).
enum class FaultKind { MissingName, WrongDate };
struct InputFault {
    FaultKind kind = FaultKind::MissingName;
    std::string_view message;
    std::optional<int> focusPerson;
};

std::optional<InputFault> firstInputFault(const Couple &input);

// Empty for a month name that is none; the year never counts.
std::string_view sunSign(std::string_view monthName, int day);
PlanetCode rulingPlanet(std::string_view sunSign);

} // namespace reading

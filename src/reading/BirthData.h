#pragma once

// What the user enters for a person, the checks of it, and the rules that
// turn a birth date into a sun sign and a sign into its ruling planet.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace reading
{

// The two people of a reading.
enum class Whose { User, Partner };
inline constexpr std::array<Whose, 2> BothPeople{Whose::User, Whose::Partner};

// One value for the user and one for the partner.
template <typename T> struct Pair {
    T user{};
    T partner{};
    T &operator[](Whose whose) { return whose == Whose::User ? user : partner; }
    const T &operator[](Whose whose) const { return whose == Whose::User ? user : partner; }
};

enum class Planet { Sun, Moon, Mars, Venus, Mercury, Jupiter, Saturn, Uranus, Neptune, Pluto };

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

using Couple = Pair<BirthInput>;

// The first failing input check: what kind of fault, its message, and the
// person whose name box takes the focus (nullopt: the focus stays where it is).
enum class FaultKind { MissingName, WrongDate };
struct InputFault {
    FaultKind kind = FaultKind::MissingName;
    std::string_view message;
    std::optional<Whose> focus;
};

std::optional<InputFault> firstInputFault(const Couple &input);

// Empty for a month name that is none; the year never counts.
std::string_view sunSign(std::string_view monthName, int day);
// nullopt for a text that is no sign.
std::optional<Planet> rulingPlanet(std::string_view sunSign);

} // namespace reading

#include "reading/Persons.h"

#include <charconv>
#include <string_view>

namespace modStarbond
{

std::array<PersonEntry, 2> Persons{};

namespace
{

constexpr int kFebruary = 1;
constexpr int kLastDayPosition = 30; // the 31st

bool IsThirtyDayMonth(int monthPosition)
{
    return monthPosition == 3 || monthPosition == 5 || monthPosition == 8 || monthPosition == 10;
}

// A year text that is not a whole number cannot come from the pick-list; it
// counts as a common year.
bool IsLeapYear(const std::string &yearText)
{
    const std::string text = TrimBlanks(yearText);
    int year = 0;
    const char *end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, year);
    if (text.empty() || ec != std::errc() || ptr != end)
        return false;
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::optional<InputFault> DateFault(const BirthInput &in)
{
    if (in.monthPosition == kFebruary) {
        const int firstBadPosition = IsLeapYear(in.yearText) ? 29 : 28;
        if (in.dayPosition >= firstBadPosition)
            return InputFault{FaultKind::WrongDate, "Please Enter Correct Date Or Month!", std::nullopt};
    } else if (IsThirtyDayMonth(in.monthPosition) && in.dayPosition >= kLastDayPosition) {
        return InputFault{FaultKind::WrongDate, "Please Enter Correct Date Or Month !", std::nullopt};
    }
    return std::nullopt;
}

struct SignCut {
    std::string_view month;
    int cutOffDay;
    std::string_view before;
    std::string_view from;
};

constexpr std::array<SignCut, 12> kSignCuts{{
    {"January", 20, "Capricorn", "Aquarius"},
    {"February", 19, "Aquarius", "Pisces"},
    {"March", 21, "Pisces", "Aries"},
    {"April", 21, "Aries", "Taurus"},
    {"May", 21, "Taurus", "Gemini"},
    {"June", 21, "Gemini", "Cancer"},
    {"July", 21, "Cancer", "Leo"},
    {"August", 21, "Leo", "Virgo"},
    {"September", 21, "Virgo", "Libra"},
    {"October", 21, "Libra", "Scorpio"},
    {"November", 21, "Scorpio", "Sagittarius"},
    {"December", 21, "Sagittarius", "Capricorn"},
}};

struct SignRuler {
    std::string_view sign;
    PlanetCode planet;
};

constexpr std::array<SignRuler, 12> kRulers{{
    {"Aries", 2},
    {"Taurus", 3},
    {"Gemini", 4},
    {"Cancer", 1},
    {"Leo", 0},
    {"Virgo", 4},
    {"Libra", 3},
    {"Scorpio", 2},
    {"Sagittarius", 5},
    {"Capricorn", 6},
    {"Aquarius", 6},
    {"Pisces", 5},
}};

} // namespace

std::optional<InputFault> FirstInputFault(const std::array<BirthInput, 2> &input)
{
    if (TrimBlanks(input[0].nameText).empty())
        return InputFault{FaultKind::MissingName, "Please Enter Your Name", 0};
    if (TrimBlanks(input[1].nameText).empty())
        return InputFault{FaultKind::MissingName, "Please Enter Your Partner's Name", 1};
    for (const BirthInput &person : input) {
        if (auto fault = DateFault(person))
            return fault;
    }
    return std::nullopt;
}

std::string ComputeSunSign(const std::string &monthName, int day)
{
    for (const SignCut &cut : kSignCuts) {
        if (cut.month == monthName)
            return std::string(day < cut.cutOffDay ? cut.before : cut.from);
    }
    return {};
}

PlanetCode RulingPlanet(const std::string &sunSign)
{
    for (const SignRuler &ruler : kRulers) {
        if (ruler.sign == sunSign)
            return ruler.planet;
    }
    return NoPlanet;
}

void FillPersons(const std::array<BirthInput, 2> &input)
{
    for (std::size_t i = 0; i < Persons.size(); ++i) {
        PersonEntry &person = Persons[i];
        person.name = TrimBlanks(input[i].nameText);
        // Wide enough for any position: those beyond the pick-list never come
        // from it, but must not overflow.
        person.day = static_cast<std::int16_t>(std::int64_t{input[i].dayPosition} + 1);
        person.monthName = TrimBlanks(input[i].monthText);
        person.sunSign = ComputeSunSign(person.monthName, person.day);
        // Slot 2 is never written by a reading.
        person.Planets[0] = RulingPlanet(person.sunSign);
        person.Planets[1] = NoPlanet;
        person.PlanetPos = 0;
    }
}

} // namespace modStarbond

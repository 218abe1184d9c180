#include "reading/BirthData.h"

#include "reading/Text.h"

#include <charconv>

namespace reading
{
namespace
{

constexpr int February = 1;
constexpr int LastDayPosition = 30; // the 31st

bool isThirtyDayMonth(int monthPosition)
{
    return monthPosition == 3 || monthPosition == 5 || monthPosition == 8 || monthPosition == 10;
}

// A year text that is not a whole number cannot come from the pick-list; it
// counts as a common year.
bool isLeapYear(const std::string &yearText)
{
    const std::string text = trimBlanks(yearText);
    int year = 0;
    const char *end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, year);
    if (text.empty() || ec != std::errc() || ptr != end)
        return false;
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::optional<InputFault> dateFault(const BirthInput &in)
{
    if (in.monthPosition == February) {
        const int firstBadPosition = isLeapYear(in.yearText) ? 29 : 28;
        if (in.dayPosition >= firstBadPosition)
            return InputFault{FaultKind::WrongDate, "Please Enter Correct Date Or Month!", std::nullopt};
    } else if (isThirtyDayMonth(in.monthPosition) && in.dayPosition >= LastDayPosition) {
        return InputFault{FaultKind::WrongDate, "Please Enter Correct Date Or Month !", std::nullopt};
    }
    return std::nullopt;
}

// A month's two signs, by the day the later one starts; in calendar order.
struct SignCut {
    int cutOffDay;
    std::string_view before;
    std::string_view from;
};

constexpr std::array<SignCut, 12> SignCuts{{
    {20, "Capricorn", "Aquarius"},
    {19, "Aquarius", "Pisces"},
    {21, "Pisces", "Aries"},
    {21, "Aries", "Taurus"},
    {21, "Taurus", "Gemini"},
    {21, "Gemini", "Cancer"},
    {21, "Cancer", "Leo"},
    {21, "Leo", "Virgo"},
    {21, "Virgo", "Libra"},
    {21, "Libra", "Scorpio"},
    {21, "Scorpio", "Sagittarius"},
    {21, "Sagittarius", "Capricorn"},
}};

struct SignRuler {
    std::string_view sign;
    Planet planet;
};

// The seven classical rulers.
constexpr std::array<SignRuler, 12> Rulers{{
    {"Aries", Planet::Mars},
    {"Taurus", Planet::Venus},
    {"Gemini", Planet::Mercury},
    {"Cancer", Planet::Moon},
    {"Leo", Planet::Sun},
    {"Virgo", Planet::Mercury},
    {"Libra", Planet::Venus},
    {"Scorpio", Planet::Mars},
    {"Sagittarius", Planet::Jupiter},
    {"Capricorn", Planet::Saturn},
    {"Aquarius", Planet::Saturn},
    {"Pisces", Planet::Jupiter},
}};

} // namespace

std::optional<InputFault> firstInputFault(const Couple &input)
{
    if (trimBlanks(input.user.nameText).empty())
        return InputFault{FaultKind::MissingName, "Please Enter Your Name", Whose::User};
    if (trimBlanks(input.partner.nameText).empty())
        return InputFault{FaultKind::MissingName, "Please Enter Your Partner's Name", Whose::Partner};
    for (const Whose whose : BothPeople) {
        if (auto fault = dateFault(input[whose]))
            return fault;
    }
    return std::nullopt;
}

std::string_view sunSign(std::string_view monthName, int day)
{
    for (std::size_t month = 0; month < MonthNames.size(); ++month) {
        if (MonthNames[month] == monthName) {
            const SignCut &cut = SignCuts[month];
            return day < cut.cutOffDay ? cut.before : cut.from;
        }
    }
    return {};
}

std::optional<Planet> rulingPlanet(std::string_view sign)
{
    for (const SignRuler &ruler : Rulers) {
        if (ruler.sign == sign)
            return ruler.planet;
    }
    return std::nullopt;
}

} // namespace reading

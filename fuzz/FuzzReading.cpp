// The input checks and the whole reading for any two names and dates. A
// missing name is reported first, for the first person lacking one; then a
// date that is no real day; otherwise the reading is complete: both cards,
// and a compatibility text holding both names as typed less their blanks.
//
// Input: a byte choosing how the controls are read, then per person the name
// (ended by a backslash and another character; "\\" is a backslash), day and
// month positions and the year. Mode 0 reads them as the pick-lists give
// them; any other mode takes any positions and texts.

#include "reading/Reading.h"

#include "Check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <chrono>
#include <string>

using fuzz::check;
using fuzz::trimBlanks;

namespace
{

const std::array<const char *, 12> Months = {"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool asPicked = input.ConsumeIntegral<std::uint8_t>() == 0;
    std::array<reading::BirthInput, 2> in;
    std::array<bool, 2> realDay{};
    for (std::size_t i = 0; i < in.size(); ++i) {
        in[i].nameText = input.ConsumeRandomLengthString();
        if (asPicked) {
            in[i].dayPosition = input.ConsumeIntegralInRange(0, 30);
            in[i].monthPosition = input.ConsumeIntegralInRange(0, 11);
            in[i].monthText = Months[static_cast<std::size_t>(in[i].monthPosition)];
            const int year = input.ConsumeIntegralInRange(1900, 2050);
            in[i].yearText = std::to_string(year);
            using namespace std::chrono;
            realDay[i] = year_month_day(std::chrono::year(year), month(static_cast<unsigned>(in[i].monthPosition + 1)),
                                        day(static_cast<unsigned>(in[i].dayPosition + 1)))
                             .ok();
        } else {
            in[i].dayPosition = input.ConsumeIntegral<int>();
            in[i].monthPosition = input.ConsumeIntegral<int>();
            in[i].monthText = input.ConsumeRandomLengthString();
            in[i].yearText = input.ConsumeRandomLengthString();
        }
    }
    const std::array<std::string, 2> names = {trimBlanks(in[0].nameText), trimBlanks(in[1].nameText)};

    const reading::Couple couple{in[0], in[1]};
    const auto fault = reading::firstInputFault(couple);
    if (names[0].empty() || names[1].empty()) {
        const int first = names[0].empty() ? 0 : 1;
        const auto whose = first == 0 ? reading::Whose::User : reading::Whose::Partner;
        check(fault && fault->kind == reading::FaultKind::MissingName && fault->focus == whose &&
                  fault->message == (first == 0 ? "Please Enter Your Name" : "Please Enter Your Partner's Name"),
              "missing name not reported for the first person lacking one");
        return 0;
    }
    if (fault) {
        check(fault->kind == reading::FaultKind::WrongDate && !fault->focus &&
                  fault->message.rfind("Please Enter Correct Date Or Month", 0) == 0,
              "unexpected fault");
        check(!asPicked || !realDay[0] || !realDay[1], "real date refused");
        return 0;
    }
    check(!asPicked || (realDay[0] && realDay[1]), "no real date let through");

    const reading::Reading reading = reading::readingOf(couple);
    std::string text;
    for (const reading::TextRun &run : reading.compatibility)
        text += run.text;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const auto whose = i == 0 ? reading::Whose::User : reading::Whose::Partner;
        check(reading.people[whose].name == names[i], "name not trimmed");
        check(text.find("Compatibility of " + names[i] + " with " + names[1 - i]) != std::string::npos,
              "compatibility text lacks a name");
        if (asPicked)
            check(reading.cards[whose].has_value(), "card missing");
    }
    return 0;
}

// The refer-a-friend request for five entries as typed: the checks let only a
// complete form through whose request is within the length bound, the length
// check refuses only a longer one, and the request URL carries exactly taf1 to taf6
// in order, each decoding to its entry with the blanks at either end gone,
// with no byte in it that a URL reserves or that is not ASCII.
//
// Input: the five entries, each ended by a backslash and another character
// ("\\" is a backslash).

#include "Hosts.h"
#include "outreach/Links.h"
#include "outreach/Referral.h"

#include "Check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <optional>
#include <string>

using fuzz::check;
using fuzz::trimBlanks;

namespace
{

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// nullopt where anything but an unreserved character or %XX appears.
std::optional<std::string> percentDecode(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isUnreserved(text[i])) {
            out += text[i];
        } else if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

bool hasAtAndDot(const std::string &address)
{
    return address.find('@') != std::string::npos && address.find('.') != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    outreach::Referral typed;
    for (std::string *entry : {&typed.name, &typed.email, &typed.message, &typed.friendName, &typed.friendEmail})
        *entry = input.ConsumeRandomLengthString();
    const std::array<std::string, 6> expected = {
        trimBlanks(typed.name),       trimBlanks(typed.email),       trimBlanks(typed.message),
        trimBlanks(typed.friendName), trimBlanks(typed.friendEmail), outreach::siteUrl(hosts::Product, "/"),
    };

    const outreach::Referral entries = outreach::trimmed(typed);
    const auto fault = outreach::firstReferralFault(entries);
    const std::size_t length = outreach::referralUrl(entries).size();
    check(!fault || *fault != outreach::TooLongMessage || length > outreach::MaxReferralUrlLength,
          "a request within the bound refused as too long");
    if (!fault) {
        check(length <= outreach::MaxReferralUrlLength, "a request over the bound let through");
        const std::array<std::string_view, 5> placeholders = {
            outreach::NamePlaceholder, outreach::EmailPlaceholder, outreach::MessagePlaceholder,
            outreach::FriendNamePlaceholder, outreach::FriendEmailPlaceholder};
        for (std::size_t i = 0; i < placeholders.size(); ++i)
            check(!expected[i].empty() && expected[i] != placeholders[i], "missing entry let through");
        check(expected[1] != expected[4] && hasAtAndDot(expected[1]) && hasAtAndDot(expected[4]),
              "improper addresses let through");
    }

    // The request is built from whatever the form holds.
    const std::string url = outreach::referralUrl(entries);
    const std::string prefix = outreach::siteUrl(hosts::Board, "/qzvs-refer-a-friend.php?");
    check(url.compare(0, prefix.size(), prefix) == 0, "wrong page");
    std::size_t at = prefix.size();
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const std::string name = "taf" + std::to_string(k + 1) + "=";
        check(url.compare(at, name.size(), name) == 0, "parameters not taf1 to taf6 in order");
        at += name.size();
        const std::size_t end = k + 1 < expected.size() ? url.find('&', at) : url.size();
        check(end != std::string::npos, "parameter missing");
        check(percentDecode(url.substr(at, end - at)) == expected[k], "parameter does not decode to its entry");
        at = end + 1;
    }
    return 0;
}

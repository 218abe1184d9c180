#pragma once

// The refer-a-friend request of the exit screen.

#include "app/Text.h"

#include <string>
#include <string_view>

namespace modTellAFriend
{

extern std::string ReferrerName;
extern std::string ReferrerEmail;
extern std::string ReferralMessage;
extern std::string FriendName;
extern std::string FriendEmail;

// What each box of the form shows while nothing is entered; a value equal to
// its placeholder counts as missing.
inline constexpr std::string_view NamePlaceholder = "Your Name";
inline constexpr std::string_view EmailPlaceholder = "Your Email Address";
inline constexpr std::string_view MessagePlaceholder = "Your Message";
inline constexpr std::string_view FriendNamePlaceholder = "Friend's Name";
inline constexpr std::string_view FriendEmailPlaceholder = "Friend's Email Address";

// The five boxes of the form as typed, line breaks as CR LF.
struct FormEntries {
    std::string name;
    std::string email;
    std::string message;
    std::string friendName;
    std::string friendEmail;
};

// The button's work: stores the five trimmed entries, checks the two
// addresses (one message), then calls SendReferral.
void SubmitReferral(const FormEntries &entries);

// Checks the five module strings for missing entries (one message), or builds
// ReferralUrl and opens it.
void SendReferral();

using textutil::TrimBlanks;

// The first failing address check's message, or an empty view.
std::string_view AddressProblem(std::string_view email, std::string_view friendEmail);

// The message for the first missing entry, or an empty view.
std::string_view MissingEntry(const FormEntries &trimmed);

// The request URL; every value percent-encoded.
std::string BuildReferralUrl(const FormEntries &trimmed);

// UTF-8 bytes, all but the unreserved A-Z a-z 0-9 - . _ ~ as %XX.
std::string PercentEncode(std::string_view text);

} // namespace modTellAFriend

#pragma once

// The refer-a-friend request of the exit screen.

#include "reading/Text.h"

#include <optional>
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

// Puts the five entries, trimmed, into the module strings; every press of the
// button does, whether or not the checks pass.
void StoreEntries(const FormEntries &typed);
FormEntries StoredEntries();

// The longest request URL handed to the browser: the classic limit of
// browsers, well under what web servers take, and far under the longest
// argument a system passes to a program.
inline constexpr std::size_t MaxReferralUrlLength = 2000;

inline constexpr std::string_view TooLongMessage = "Your Referral Is Too Long To Send. Please Shorten Your Message";
inline constexpr std::string_view NotSentMessage = "Your Referral Could Not Be Sent. No Web Browser Could Be Started";

// The message of the first failing check, in order: the two addresses, then
// each entry in turn, then the length of the request; nullopt when the form
// may be sent.
std::optional<std::string> FirstReferralFault(const FormEntries &trimmed);

// The message for the first missing entry, or an empty view. A missing address
// never gets here from the form: the address checks come first.
std::string_view MissingEntry(const FormEntries &trimmed);

// Builds ReferralUrl from the module strings and opens it; the caller has
// checked them. False where the URL could not be handed to the browser.
bool SendReferral();

using textutil::TrimBlanks;

// The request URL; every value percent-encoded.
std::string BuildReferralUrl(const FormEntries &trimmed);

// UTF-8 bytes, all but the unreserved A-Z a-z 0-9 - . _ ~ as %XX.
std::string PercentEncode(std::string_view text);

} // namespace modTellAFriend

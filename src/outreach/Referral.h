#pragma once

// The refer-a-friend request of the exit screen: the checks of its five
// entries and the URL that carries them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace outreach
{

// What each box of the form shows while nothing is entered; a value equal to
// its placeholder counts as missing.
inline constexpr std::string_view NamePlaceholder = "Your Name";
inline constexpr std::string_view EmailPlaceholder = "Your Email Address";
inline constexpr std::string_view MessagePlaceholder = "Your Message";
inline constexpr std::string_view FriendNamePlaceholder = "Friend's Name";
inline constexpr std::string_view FriendEmailPlaceholder = "Friend's Email Address";

// The five entries of the form, line breaks as CR LF.
struct Referral {
    std::string name;
    std::string email;
    std::string message;
    std::string friendName;
    std::string friendEmail;
};

// Each entry less the blanks at either end.
Referral trimmed(const Referral &typed);

// The longest request URL handed to the browser: the classic limit of
// browsers, well under what web servers take, and far under the longest
// argument a system passes to a program.
inline constexpr std::size_t MaxReferralUrlLength = 2000;

inline constexpr std::string_view TooLongMessage = "Your Referral Is Too Long To Send. Please Shorten Your Message";
inline constexpr std::string_view NotSentMessage = "Your Referral Could Not Be Sent. No Web Browser Could Be Started";

// The message of the first failing check, in order: the two addresses, then
// each entry in turn, then the length of the request; nullopt when the
// referral may be sent. A missing address never gets past the address checks.
std::optional<std::string_view> firstReferralFault(const Referral &trimmed);

// The message for the first missing entry, or an empty view. A missing
// address never gets here from the form: the address checks come first.
std::string_view missingEntry(const Referral &trimmed);

// The request URL; every value percent-encoded.
std::string referralUrl(const Referral &trimmed);

// UTF-8 bytes, all but the unreserved A-Z a-z 0-9 - . _ ~ as %XX.
std::string percentEncoded(std::string_view text);

} // namespace outreach

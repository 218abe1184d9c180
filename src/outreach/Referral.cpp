#include "outreach/Referral.h"

#include "Hosts.h"
#include "outreach/Links.h"
#include "reading/Text.h"

namespace outreach
{
namespace
{

bool missing(std::string_view value, std::string_view placeholder)
{
    return value.empty() || value == placeholder;
}

std::string_view addressFault(std::string_view email, std::string_view friendEmail)
{
    if (email == friendEmail)
        return "Please Enter Distinct Email Addresses";
    if (email.find('@') == std::string_view::npos || friendEmail.find('@') == std::string_view::npos)
        return "Please Enter Proper Email Address";
    if (email.find('.') == std::string_view::npos || friendEmail.find('.') == std::string_view::npos)
        return "Please Enter Proper Email Address";
    return {};
}

} // namespace

std::string_view missingEntry(const Referral &trimmed)
{
    if (missing(trimmed.name, NamePlaceholder))
        return "Please Enter Your Name";
    if (missing(trimmed.email, EmailPlaceholder))
        return "Please Enter Your Email";
    if (missing(trimmed.message, MessagePlaceholder))
        return "Please Enter Your Message";
    if (missing(trimmed.friendName, FriendNamePlaceholder))
        return "Please Enter Your Friend's Name";
    if (missing(trimmed.friendEmail, FriendEmailPlaceholder))
        return "Please Enter Your Friend's Email";
    return {};
}

Referral trimmed(const Referral &typed)
{
    using reading::trimBlanks;
    return {trimBlanks(typed.name), trimBlanks(typed.email), trimBlanks(typed.message), trimBlanks(typed.friendName),
            trimBlanks(typed.friendEmail)};
}

std::optional<std::string_view> firstReferralFault(const Referral &trimmed)
{
    std::string_view fault = addressFault(trimmed.email, trimmed.friendEmail);
    if (fault.empty())
        fault = missingEntry(trimmed);
    if (fault.empty() && referralUrl(trimmed).size() > MaxReferralUrlLength)
        fault = TooLongMessage;
    if (fault.empty())
        return std::nullopt;
    return fault;
}

std::string percentEncoded(std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~';
        if (unreserved) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string referralUrl(const Referral &trimmed)
{
    return siteUrl(hosts::Board, "/qzvs-refer-a-friend.php") + "?taf1=" + percentEncoded(trimmed.name) +
           "&taf2=" + percentEncoded(trimmed.email) + "&taf3=" + percentEncoded(trimmed.message) +
           "&taf4=" + percentEncoded(trimmed.friendName) + "&taf5=" + percentEncoded(trimmed.friendEmail) +
           "&taf6=" + percentEncoded(siteUrl(hosts::Product, "/"));
}

} // namespace outreach

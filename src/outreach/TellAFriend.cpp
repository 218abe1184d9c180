#include "outreach/TellAFriend.h"

#include "Hosts.h"
#include "outreach/Links.h"

namespace modTellAFriend
{

std::string ReferrerName;
std::string ReferrerEmail;
std::string ReferralMessage;
std::string FriendName;
std::string FriendEmail;

namespace
{

bool missing(std::string_view value, std::string_view placeholder)
{
    return value.empty() || value == placeholder;
}

std::string_view AddressProblem(std::string_view email, std::string_view friendEmail)
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

std::string_view MissingEntry(const FormEntries &trimmed)
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

std::string PercentEncode(std::string_view text)
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

std::string BuildReferralUrl(const FormEntries &trimmed)
{
    const std::string productRoot = modHelp::SiteUrl(hosts::Product, "/");
    return modHelp::SiteUrl(hosts::Board, "/qzvs-refer-a-friend.php") + "?taf1=" + PercentEncode(trimmed.name) +
           "&taf2=" + PercentEncode(trimmed.email) + "&taf3=" + PercentEncode(trimmed.message) +
           "&taf4=" + PercentEncode(trimmed.friendName) + "&taf5=" + PercentEncode(trimmed.friendEmail) +
           "&taf6=" + PercentEncode(productRoot);
}

void StoreEntries(const FormEntries &typed)
{
    ReferrerName = TrimBlanks(typed.name);
    ReferrerEmail = TrimBlanks(typed.email);
    ReferralMessage = TrimBlanks(typed.message);
    FriendName = TrimBlanks(typed.friendName);
    FriendEmail = TrimBlanks(typed.friendEmail);
}

FormEntries StoredEntries()
{
    return {ReferrerName, ReferrerEmail, ReferralMessage, FriendName, FriendEmail};
}

std::optional<std::string> FirstReferralFault(const FormEntries &trimmed)
{
    std::string_view fault = AddressProblem(trimmed.email, trimmed.friendEmail);
    if (fault.empty())
        fault = MissingEntry(trimmed);
    if (fault.empty() && BuildReferralUrl(trimmed).size() > MaxReferralUrlLength)
        fault = TooLongMessage;
    if (fault.empty())
        return std::nullopt;
    return std::string(fault);
}

bool SendReferral()
{
    ReferralUrl = BuildReferralUrl(StoredEntries());
    return OpenReferralUrl();
}

} // namespace modTellAFriend

#pragma once

// The refer-a-friend request of the exit screen.

#include <string>

namespace modTellAFriend {

extern std::string ReferrerName;
extern std::string ReferrerEmail;
extern std::string ReferralMessage;
extern std::string FriendName;
extern std::string FriendEmail;

// Checks the five module strings for missing entries (one message), or builds
// ReferralUrl and opens it.
void SendReferral();

} // namespace modTellAFriend

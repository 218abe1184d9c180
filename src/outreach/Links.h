#pragma once

// The web pages the program offers. Each opener hands one URL to the shell
// service and returns at once, reporting nothing; the referral alone says
// whether its URL could be handed over.

#include <string>

namespace modHelp
{
void OpenHomePage();
void OpenSoftwaresSite();
void OpenOnlineHelp();
void OpenDownloadPage();
void OpenDonationPage();
void OpenFullBrandPage();
void OpenCoBrandPage();

// Shown by the About window's link label.
std::string HomePageUrl();

// "http://" + host + path: every address the program hands out.
std::string SiteUrl(const char *host, const char *path);
} // namespace modHelp

namespace modTellAFriend
{
extern std::string ReferralUrl;
bool OpenReferralUrl();
} // namespace modTellAFriend

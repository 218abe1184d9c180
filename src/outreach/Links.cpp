#include "outreach/Links.h"

#include "Hosts.h"
#include "platform/Services.h"

namespace
{

bool openPage(const std::string &url)
{
    return platform::services().shell->openUrl(url);
}

} // namespace

namespace modHelp
{

std::string SiteUrl(const char *host, const char *path)
{
    return std::string("http://") + host + path;
}

std::string HomePageUrl()
{
    return SiteUrl(hosts::BoardHome, "");
}

void OpenHomePage()
{
    openPage(HomePageUrl());
}

void OpenSoftwaresSite()
{
    openPage(SiteUrl(hosts::Board, "/velmorasoftwares"));
}

void OpenOnlineHelp()
{
    openPage(SiteUrl(hosts::Product, "/qz-free-starbond-help.html"));
}

void OpenDownloadPage()
{
    openPage(SiteUrl(hosts::Product, "/download-qz-free-starbond.html"));
}

void OpenDonationPage()
{
    openPage(SiteUrl(hosts::Help, "/donate.html"));
}

void OpenFullBrandPage()
{
    openPage(SiteUrl(hosts::Help, "/fully-branded.html"));
}

void OpenCoBrandPage()
{
    openPage(SiteUrl(hosts::Help, "/co-brand.html"));
}

} // namespace modHelp

namespace modTellAFriend
{

std::string ReferralUrl;

bool OpenReferralUrl()
{
    return openPage(ReferralUrl);
}

} // namespace modTellAFriend

#include "outreach/Links.h"

#include "Hosts.h"
#include "platform/Services.h"

namespace
{

void openPage(const std::string &url)
{
    platform::services().shell->openUrl(url);
}

std::string http(const char *host, const char *path)
{
    return std::string("http://") + host + path;
}

} // namespace

namespace modHelp
{

std::string HomePageUrl()
{
    return http(hosts::BoardHome, "");
}

void OpenHomePage()
{
    openPage(HomePageUrl());
}

void OpenSoftwaresSite()
{
    openPage(http(hosts::Board, "/velmorasoftwares"));
}

void OpenOnlineHelp()
{
    openPage(http(hosts::Product, "/qz-free-starbond-help.html"));
}

void OpenDownloadPage()
{
    openPage(http(hosts::Product, "/download-qz-free-starbond.html"));
}

void OpenDonationPage()
{
    openPage(http(hosts::Help, "/donate.html"));
}

void OpenFullBrandPage()
{
    openPage(http(hosts::Help, "/fully-branded.html"));
}

void OpenCoBrandPage()
{
    openPage(http(hosts::Help, "/co-brand.html"));
}

} // namespace modHelp

namespace modTellAFriend
{

std::string ReferralUrl;

void OpenReferralUrl()
{
    openPage(ReferralUrl);
}

} // namespace modTellAFriend

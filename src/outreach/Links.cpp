#include "outreach/Links.h"

#include "Hosts.h"
#include "platform/Services.h"

namespace outreach
{

std::string siteUrl(std::string_view host, std::string_view path)
{
    return "http://" + std::string(host) + std::string(path);
}

std::string pageUrl(Page page)
{
    switch (page) {
    case Page::Home:
        return siteUrl(hosts::BoardHome, "");
    case Page::SoftwaresSite:
        return siteUrl(hosts::Board, "/velmorasoftwares");
    case Page::OnlineHelp:
        return siteUrl(hosts::Product, "/qz-free-starbond-help.html");
    case Page::Download:
        return siteUrl(hosts::Product, "/download-qz-free-starbond.html");
    case Page::Donation:
        return siteUrl(hosts::Help, "/donate.html");
    case Page::FullBrand:
        return siteUrl(hosts::Help, "/fully-branded.html");
    case Page::CoBrand:
        return siteUrl(hosts::Help, "/co-brand.html");
    }
    return {};
}

void openPage(Page page)
{
    platform::services().shell->openUrl(pageUrl(page), {});
}

} // namespace outreach

#pragma once

// The web pages the program offers. Opening one hands its URL to the shell
// service and returns at once, reporting nothing.

#include <string>
#include <string_view>

namespace outreach
{

enum class Page {
    Home,          // the board site's home page
    SoftwaresSite, // the board site's software area
    OnlineHelp,
    Download,
    Donation,
    FullBrand,
    CoBrand,
};

std::string pageUrl(Page page);
void openPage(Page page);

// "http://" + host + path: every address the program hands out.
std::string siteUrl(std::string_view host, std::string_view path);

} // namespace outreach

#include "ui/PromotionStrip.h"

#include "outreach/Links.h"
#include "ui/kit/Layout.h"
#include "ui/kit/LinkLabel.h"

namespace ui
{

PromotionStrip::PromotionStrip(Promotion onTop, QWidget *parent)
    : Frame(parent, {.name = "fraFullBrand", .rect = {0, 5385, 8250, 875}, .colour = colours::White})
{
    constexpr unsigned style = Centre | Wrap | Opaque;
    auto *fullBrand =
        link(this, {.name = "lblFullBrand",
                    .rect = {90, 165, 8100, 650},
                    .text = "Home Business Opportunity. Start your own Internet business and make money online. Get "
                            "this software fully branded for your website. Click here for more details.",
                    .face = BoldLink,
                    .colour = colours::Black,
                    .style = style});
    auto *coBrand =
        link(this, {.name = "lblCobrand",
                    .rect = {90, 165, 8100, 650},
                    .text = "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
                            "your site's name &  link here. See \"Help\" for details. Click Here for more info on "
                            "co-branding.",
                    .face = BoldLink,
                    .colour = colours::Black,
                    .style = style});
    connect(fullBrand, &LinkLabel::clicked, this, [] { outreach::openPage(outreach::Page::FullBrand); });
    connect(coBrand, &LinkLabel::clicked, this, [] { outreach::openPage(outreach::Page::CoBrand); });

    if (onTop == Promotion::FullBrand)
        fullBrand->raise();
    else if (onTop == Promotion::CoBrand)
        coBrand->raise();
}

} // namespace ui

#include "ui/PromotionStrip.h"

#include "outreach/Links.h"
#include "ui/kit/Layout.h"
#include "ui/kit/LinkLabel.h"

namespace ui
{

PromotionStrip::PromotionStrip(Promotion onTop, QWidget *parent)
    : Frame(parent, {"fraFullBrand", 0, 5385, 8250, 875, "", {}, colours::White})
{
    constexpr unsigned style = Centre | Wrap | Opaque;
    auto *fullBrand =
        link(this, {"lblFullBrand", 90, 165, 8100, 650,
                    "Home Business Opportunity. Start your own Internet business and make money online. Get this "
                    "software fully branded for your website. Click here for more details.",
                    BoldLink, colours::Black, style});
    auto *coBrand =
        link(this, {"lblCobrand", 90, 165, 8100, 650,
                    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
                    "site's name &  link here. See \"Help\" for details. Click Here for more info on co-branding.",
                    BoldLink, colours::Black, style});
    connect(fullBrand, &LinkLabel::clicked, this, [] { outreach::openPage(outreach::Page::FullBrand); });
    connect(coBrand, &LinkLabel::clicked, this, [] { outreach::openPage(outreach::Page::CoBrand); });

    if (onTop == Promotion::FullBrand)
        fullBrand->raise();
    else if (onTop == Promotion::CoBrand)
        coBrand->raise();
}

} // namespace ui

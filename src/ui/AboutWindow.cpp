#include "ui/AboutWindow.h"

#include "outreach/Links.h"
#include "ui/kit/Controls.h"
#include "ui/kit/Images.h"
#include "ui/kit/Layout.h"
#include "ui/kit/LinkLabel.h"

#include <QLabel>
#include <QPushButton>

namespace ui
{
namespace
{

using namespace colours;

constexpr QRgb LightYellow = qRgb(255, 255, 192);
constexpr QRgb Cyan = qRgb(0, 255, 255);
constexpr Face Link{.family = "Verdana", .points = 8.25, .underline = true};

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromUtf8(WindowTitle));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(5985), twips(3390));
    // A placed dialog stays where it is put; else Qt centres it on its owner.
    centreOnScreen(this);
    paintBackground(this, Orange);

    showPicture(picture(this, {.name = "picIcon", .rect = {90, 120, 480, 480}, .accessibleName = "Starbond icon"}),
                [](qreal ratio) { return iconPicture(32, ratio); });
    auto *ok = button(this, {.name = "cmdOK", .rect = {4635, 3000, 1260, 345}, .text = "OK", .face = Bold});
    // The address follows the configured host.
    const std::string home = "Click here to visit " + outreach::pageUrl(outreach::Page::Home);
    auto *homePage =
        link(this, {.name = "lblHomePage", .rect = {1845, 1365}, .text = home.c_str(), .face = Link, .colour = Yellow});
    label(this, {.name = "Label3",
                 .rect = {90, 1800, 5805, 615},
                 .text = "Home Business Opportunity. Start your own Internet business and make money online. Get "
                         "this software fully branded for your website.",
                 .face = Bold,
                 .colour = White,
                 .style = Wrap});
    auto *fullBrand = link(this, {.name = "lblCoBrand",
                                  .rect = {3600, 2415},
                                  .text = "Click here for more details",
                                  .face = Link,
                                  .colour = Yellow,
                                  .accessibleName = "Click here for more details on full branding"});
    line(this, {.name = "Line2", .rect = {-60, 2910, 7260, 0}, .colour = Cyan});
    label(this, {.name = "Label2",
                 .rect = {750, 120},
                 .text = WindowTitle,
                 .face = {.family = "Verdana", .points = 12, .bold = true},
                 .colour = Black});
    label(this, {.name = "Label1",
                 .rect = {750, 390, 5145, 975},
                 .text = "Starbond describes your Starbond based on your planetary archetypes. This software helps "
                         "you know more about the influence of the planets on your love profile.",
                 .colour = LightYellow,
                 .style = Wrap});

    connect(homePage, &LinkLabel::clicked, this, [] { outreach::openPage(outreach::Page::Home); });
    connect(fullBrand, &LinkLabel::clicked, this, [] { outreach::openPage(outreach::Page::FullBrand); });
    // The only control that takes the focus, so it has it when the window
    // opens; Enter presses it and Esc closes the dialog.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutWindow::close);
    ok->setFocus();
}

void AboutWindow::showModal(QWidget *parent)
{
    auto *about = new AboutWindow(parent);
    about->setWindowModality(Qt::WindowModal);
    about->exec(); // destroyed on close (WA_DeleteOnClose)
}

} // namespace ui

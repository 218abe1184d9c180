#include "ui/frmAbout.h"

#include "outreach/Links.h"
#include "ui/Form.h"
#include "ui/Images.h"
#include "ui/Layout.h"
#include "ui/LinkLabel.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace
{

using ui::Kind;
using namespace ui::colours;

constexpr QRgb LightYellow = qRgb(255, 255, 192);
constexpr QRgb Cyan = qRgb(0, 255, 255);

// The address of lblHomePage follows the configured host; it is put in when
// the window is made.
constexpr ui::Control Controls[] = {
    {Kind::Picture, "picIcon", nullptr, 90, 120, 480, 480, "", {}, ui::Inherit, 0, "Starbond icon"},
    {Kind::Button, "cmdOK", nullptr, 4635, 3000, 1260, 345, "OK", {"Verdana", 8.25, true}},
    {Kind::Link, "lblHomePage", nullptr, 1845, 1365, 0, 0, "", {"Verdana", 8.25, false, true}, Yellow},
    {Kind::Label,
     "Label3",
     nullptr,
     90,
     1800,
     5805,
     615,
     "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
     "branded for your website.",
     {"Verdana", 8.25, true},
     White,
     ui::Wrap},
    {Kind::Link,
     "lblCoBrand",
     nullptr,
     3600,
     2415,
     0,
     0,
     "Click here for more details",
     {"Verdana", 8.25, false, true},
     Yellow,
     0,
     "Click here for more details on full branding"},
    {Kind::Line, "Line2", nullptr, -60, 2910, 7260, 0, "", {}, Cyan},
    {Kind::Label, "Label2", nullptr, 750, 120, 0, 0, ui::WindowTitle, {"Verdana", 12, true}, Black},
    {Kind::Label,
     "Label1",
     nullptr,
     750,
     390,
     5145,
     975,
     "Starbond describes your Starbond based on your planetary archetypes. This software helps you know more about "
     "the influence of the planets on your love profile.",
     {},
     LightYellow,
     ui::Wrap},
};

class frmAbout final : public QDialog
{
  public:
    explicit frmAbout(QWidget *parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("frmAbout"));
        setWindowTitle(QString::fromUtf8(ui::WindowTitle));
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
        setAttribute(Qt::WA_DeleteOnClose);
        setFixedSize(ui::twips(5985), ui::twips(3390));
        // A placed dialog stays where it is put; else Qt centres it on its owner.
        ui::centreOnScreen(this);
        ui::paintBackground(this, ui::colours::Orange);

        ui::buildControls(this, Controls);
        ui::showPicture(ui::control<QLabel>(this, QStringLiteral("picIcon")),
                        [](qreal ratio) { return ui::StarbondIconPicture(32, ratio); });
        auto *home = ui::control<ui::LinkLabel>(this, QStringLiteral("lblHomePage"));
        home->setText(QStringLiteral("Click here to visit ") + QString::fromStdString(modHelp::HomePageUrl()));
        home->adjustSize();
        connect(home, &ui::LinkLabel::clicked, this, [] { modHelp::OpenHomePage(); });
        connect(ui::control<ui::LinkLabel>(this, QStringLiteral("lblCoBrand")), &ui::LinkLabel::clicked, this,
                [] { modHelp::OpenFullBrandPage(); });

        // The only control that takes the focus, so it has it when the window
        // opens.
        auto *ok = ui::control<QPushButton>(this, QStringLiteral("cmdOK"));
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
        ok->setFocus();
    }

    void cmdOK_Click() { close(); }
};

} // namespace

QDialog *CreateAboutWindow(QWidget *parent)
{
    return new frmAbout(parent);
}

void ShowAboutWindow(QWidget *parent)
{
    QDialog *about = CreateAboutWindow(parent);
    about->setWindowModality(Qt::WindowModal);
    about->exec(); // destroyed on close (WA_DeleteOnClose)
}

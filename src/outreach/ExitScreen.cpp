#include "outreach/ExitScreen.h"

#include "outreach/Links.h"
#include "outreach/ReferralForm.h"
#include "ui/kit/Controls.h"
#include "ui/kit/Images.h"
#include "ui/kit/Layout.h"
#include "ui/kit/LinkLabel.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace outreach
{
namespace
{

using namespace ui::colours;

// The run of blanks pushes the second paragraph onto a line of its own.
QString softwareAreaText()
{
    return QStringLiteral(
               "If you have enjoyed this software you will surely be interested in our other Velmora Softwares. "
               "From a single software, we have now grown to become the world\u2019s largest resource of velmora "
               "softwares. Be it astrology, psychic, tarot, numerology or occult, we have programs in all fields "
               "thus giving our users a wide choice depending on their interests.") +
           QString(61, u' ') +
           QStringLiteral(
               "All the programs in the Velmora Softwares suite are simple and easy to use. They are not only fun "
               "to use but also very informative. Try them out today and share your experience with your "
               "friends and family. ");
}

} // namespace

int supportTextNumber(float r)
{
    return std::clamp(static_cast<int>(r * 4.0f), 0, 3);
}

std::string_view supportText(int n)
{
    switch (n) {
    case 0:
        return "Velmora Softwares, such as this can be created and maintained only with your support. The best way "
               "to support Velmora is to visit Velmora regularly and take part in the discussions and other "
               "activities on the board.";
    case 1:
        return "Visit Velmora regularly. Support Velmora by taking part in the discussions and other activities. "
               "These softwares cannot be supported and maintained, without you regularly visiting Velmora";
    case 2:
        return "Velmora is a FREE online discussion forum for all things mystic. To help Velmora develop and "
               "maintain this software visit Velmora regularly.";
    default:
        return "Velmora needs your help. All you need to do is visit Velmora regularly and take part in the various "
               "discussions and activites to help us maintain and develop more Velmora Softwares.";
    }
}

ExitScreen::ExitScreen(int supportText, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setWindowTitle(QString::fromUtf8(ui::WindowTitle));
    setFixedSize(ui::twips(11115), ui::twips(4725));
    ui::paintBackground(this, Qt::white);

    ui::label(this, {.name = "Label1",
                     .rect = {1080, 240, 5625, 435},
                     .text = ui::WindowTitle,
                     .face = {.family = "MS Sans Serif", .points = 18},
                     .colour = Black});
    ui::showPicture(
        ui::picture(this, {.name = "Picture1", .rect = {360, 217, 480, 480}, .accessibleName = "Starbond icon"}),
        [](qreal ratio) { return ui::iconPicture(ui::twips(480), ratio); });
    QLabel *support = ui::label(this, {.name = "Label2",
                                       .rect = {120, 840, 6975, 1095},
                                       .face = {.family = "Verdana", .points = 9.75, .bold = true},
                                       .colour = Black,
                                       .style = ui::Wrap});
    m_visit = ui::checkButton(this, {.name = "Check1",
                                     .rect = {30, 2040, 7185, 555},
                                     .text = "Click Here To Visit Velmora Now",
                                     .face = {.family = "Verdana", .points = 14.25},
                                     .colour = qRgb(0, 0, 192)});
    auto *close = ui::button(this, {.name = "cmdClose",
                                    .rect = {6000, 2760, 1245, 375},
                                    .text = "E&xit",
                                    .face = {.family = "MS Sans Serif", .points = 8}});
    auto *form = new ReferralForm(this);
    auto *softwares = new ui::CaptionFrame(this, {.name = "Frame6",
                                                  .rect = {7320, 120, 3735, 4575},
                                                  .text = "Download Velmora Softwares",
                                                  .face = {.family = "Verdana", .points = 9.75, .bold = true},
                                                  .colour = Navy,
                                                  .style = ui::Etched});
    ui::label(softwares, {.name = "Label3",
                          .rect = {120, 360, 3495, 3855},
                          .face = {.family = "Verdana", .points = 9},
                          .colour = White,
                          .style = ui::Wrap})
        ->setText(softwareAreaText());
    auto *softwaresLink =
        ui::link(softwares, {.name = "lblGoToHome",
                             .rect = {75, 4250, 3585, 210},
                             .text = "Click Here To Visit Velmora Softwares",
                             .face = {.family = "Verdana", .points = 9, .bold = true, .underline = true},
                             .colour = Yellow,
                             .style = ui::Squeeze});

    // Return presses the button that has the focus; the check box is no
    // button in that sense.
    close->setAutoDefault(true);
    ui::setKeyboardOrder(QList<QWidget *>{close, m_visit} + form->keyboardOrder());
    close->setFocus();

    connect(m_visit, &QPushButton::clicked, this, &ExitScreen::visitHomePage);
    connect(softwaresLink, &ui::LinkLabel::clicked, this, [] { openPage(Page::SoftwaresSite); });
    connect(close, &QPushButton::clicked, this, &ExitScreen::exitAsked);

    ui::centreOnScreen(this);
    support->setText(ui::qString(outreach::supportText(supportText)));
    // Before the first show: changing the flags later makes the native window anew.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void ExitScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit exitAsked();
}

// The box stands in push-button style: each press opens the home page once
// and leaves it unchecked.
void ExitScreen::visitHomePage()
{
    if (!m_visit->isChecked())
        return;
    m_visit->setChecked(false);
    openPage(Page::Home);
}

} // namespace outreach

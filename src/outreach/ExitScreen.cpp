#include "outreach/ExitScreen.h"

#include "app/Shutdown.h"
#include "outreach/Links.h"
#include "outreach/ReferralForm.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
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

ExitScreen::ExitScreen(app::Shutdown &shutdown, QWidget *parent) : QWidget(parent, Qt::Window), m_shutdown(shutdown)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setWindowTitle(QString::fromUtf8(ui::WindowTitle));
    setFixedSize(ui::twips(11115), ui::twips(4725));
    ui::paintBackground(this, Qt::white);

    ui::label(this, {"Label1", 1080, 240, 5625, 435, ui::WindowTitle, {"MS Sans Serif", 18}, Black});
    ui::showPicture(ui::picture(this, {"Picture1", 360, 217, 480, 480, "", {}, ui::Inherit, 0, "Starbond icon"}),
                    [](qreal ratio) { return ui::iconPicture(ui::twips(480), ratio); });
    QLabel *support = ui::label(this, {"Label2", 120, 840, 6975, 1095, "", {"Verdana", 9.75, true}, Black, ui::Wrap});
    m_visit = ui::checkButton(
        this, {"Check1", 30, 2040, 7185, 555, "Click Here To Visit Velmora Now", {"Verdana", 14.25}, qRgb(0, 0, 192)});
    auto *close = ui::button(this, {"cmdClose", 6000, 2760, 1245, 375, "E&xit", {"MS Sans Serif", 8}});
    auto *form = new ReferralForm(this);
    auto *softwares = new ui::CaptionFrame(
        this, {"Frame6", 7320, 120, 3735, 4575, "Download Velmora Softwares", {"Verdana", 9.75, true}, Navy});
    ui::label(softwares, {"Label3", 120, 360, 3495, 3855, "", {"Verdana", 9}, White, ui::Wrap})
        ->setText(softwareAreaText());
    auto *softwaresLink = ui::link(softwares, {"lblGoToHome",
                                               75,
                                               4250,
                                               3585,
                                               210,
                                               "Click Here To Visit Velmora Softwares",
                                               {"Verdana", 9, true, true},
                                               Yellow,
                                               ui::Squeeze});

    // Return presses the button that has the focus; the check box is no
    // button in that sense.
    close->setAutoDefault(true);
    const QList<QWidget *> order = QList<QWidget *>{close, m_visit} + form->keyboardOrder();
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    close->setFocus();

    connect(m_visit, &QPushButton::clicked, this, &ExitScreen::visitHomePage);
    connect(softwaresLink, &ui::LinkLabel::clicked, this, [] { openPage(Page::SoftwaresSite); });
    connect(close, &QPushButton::clicked, this, [this] { m_shutdown.exitApplication(); });

    ui::centreOnScreen(this);
    platform::Services &services = platform::services();
    services.random->seedFromClock();
    support->setText(ui::qString(supportText(supportTextNumber(services.random->next()))));
    platform::qtServices().topmost->prepare(this);
}

void ExitScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    platform::qtServices().topmost->apply(this);
}

void ExitScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_shutdown.exitApplication();
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

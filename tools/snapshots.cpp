// Renders the windows, off screen, to PNG files for the documentation: the
// main window's input view with each promotional label on top, the three
// result pages of a sample reading, the About window and the exit screen.
//
//   starbond-snapshots <output dir>

#include "app/UpdateReminder.h"
#include "outreach/frmNagScreen2.h"
#include "platform/qt/QtServices.h"
#include "ui/Images.h"
#include "ui/Layout.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <cstdio>

namespace
{
class FixedDraw final : public platform::Random
{
  public:
    void seedFromClock() override {}
    float next() override { return 0.75f; }
};
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: starbond-snapshots <output dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    ui::initAppearance();
    platform::installQtServices();
    QApplication::setWindowIcon(ui::StarbondIcon());

    auto *window = new frmMain;
    window->show();
    bool ok = true;
    auto save = [&](const char *name) {
        QApplication::processEvents();
        ok = window->grab().save(out.filePath(QString::fromLatin1(name))) && ok;
    };
    save("main-input.png");
    window->lblFullBrand->raise();
    save("main-promo-fullbrand.png");
    window->lblCobrand->raise();
    save("main-promo-cobrand.png");

    // Ann, born 10 August; Bob, born 15 May.
    window->txtName[0]->setText(QStringLiteral("Ann"));
    window->cboDate[0]->setCurrentIndex(9);
    window->cboMonth[0]->setCurrentIndex(7);
    window->cboYear[0]->setCurrentIndex(90);
    window->txtName[1]->setText(QStringLiteral("Bob"));
    window->cboDate[1]->setCurrentIndex(14);
    window->cboMonth[1]->setCurrentIndex(4);
    window->cboYear[1]->setCurrentIndex(88);
    save("main-input-filled.png");

    window->cmdProceed_Click();
    save("main-reading-user.png");
    window->TS->setCurrentIndex(1);
    save("main-reading-partner.png");
    window->TS->setCurrentIndex(2);
    save("main-reading-compatibility.png");

    QDialog *about = CreateAboutWindow(window);
    about->show();
    QApplication::processEvents();
    ok = about->grab().save(out.filePath(QStringLiteral("about.png"))) && ok;
    about->close();

    // The exit screen draws its support text at random; the picture shows the
    // last of the four.
    FixedDraw draw;
    platform::services().random = &draw;
    frmNagScreen2 exitScreen;
    ok = exitScreen.grab().save(out.filePath(QStringLiteral("exit-screen.png"))) && ok;

    QMessageBox *question = platform::createMessageBox(modHelp::UpdateQuestion, platform::MsgIcon::Information,
                                                       platform::MsgButtons::YesNo, nullptr);
    question->show();
    QApplication::processEvents();
    ok = question->grab().save(out.filePath(QStringLiteral("update-question.png"))) && ok;
    delete question;
    return ok ? 0 : 1;
}

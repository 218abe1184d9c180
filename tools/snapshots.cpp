// Renders the windows, off screen, to PNG files for the documentation: the
// main window's input view with each promotional label on top, the three
// result pages of a sample reading, the About window and the exit screen;
// then, on a screen of twice the density, the input view and the exit screen
// again (the tool runs itself for those, with the scale given after the
// folder).
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
#include <QProcess>
#include <QTabBar>
#include <cstdio>
#include <cstring>

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
    const bool doubled = argc == 3 && std::strcmp(argv[2], "2") == 0;
    if (doubled)
        qputenv("QT_SCALE_FACTOR", "2");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2 && !doubled) {
        std::fprintf(stderr, "usage: starbond-snapshots <output dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    ui::initAppearance();
    platform::installQtServices();
    QApplication::setWindowIcon(ui::StarbondIcon());
    const QString suffix = doubled ? QStringLiteral("@2x.png") : QStringLiteral(".png");

    auto *window = new frmMain;
    window->show();
    bool ok = true;
    auto save = [&](const char *name) {
        QApplication::processEvents();
        ok = window->grab().save(out.filePath(QLatin1String(name) + suffix)) && ok;
    };
    save("main-input");

    // The exit screen draws its support text at random; the picture shows the
    // last of the four.
    FixedDraw draw;
    platform::services().random = &draw;
    {
        frmNagScreen2 exitScreen;
        ok = exitScreen.grab().save(out.filePath(QStringLiteral("exit-screen") + suffix)) && ok;
    }
    if (doubled)
        return ok ? 0 : 1;

    window->lblFullBrand->raise();
    save("main-promo-fullbrand");
    window->lblCobrand->raise();
    save("main-promo-cobrand");

    // Ann, born 10 August; Bob, born 15 May.
    window->txtName[0]->setText(QStringLiteral("Ann"));
    window->cboDate[0]->setCurrentIndex(9);
    window->cboMonth[0]->setCurrentIndex(7);
    window->cboYear[0]->setCurrentIndex(90);
    window->txtName[1]->setText(QStringLiteral("Bob"));
    window->cboDate[1]->setCurrentIndex(14);
    window->cboMonth[1]->setCurrentIndex(4);
    window->cboYear[1]->setCurrentIndex(88);
    save("main-input-filled");

    window->cmdProceed_Click();
    save("main-reading-user");
    window->TS->setCurrentIndex(1);
    save("main-reading-partner");
    window->TS->setCurrentIndex(2);
    save("main-reading-compatibility");

    QDialog *about = CreateAboutWindow(window);
    about->show();
    QApplication::processEvents();
    ok = about->grab().save(out.filePath(QStringLiteral("about.png"))) && ok;
    about->close();

    QMessageBox *question = platform::createMessageBox(modHelp::UpdateQuestion, platform::MsgIcon::Information,
                                                       platform::MsgButtons::YesNo, nullptr);
    question->show();
    QApplication::processEvents();
    ok = question->grab().save(out.filePath(QStringLiteral("update-question.png"))) && ok;
    delete question;

    const int twice = QProcess::execute(QCoreApplication::applicationFilePath(), {out.path(), QStringLiteral("2")});
    return ok && twice == 0 ? 0 : 1;
}

// Renders the windows, off screen, to PNG files for the documentation: the
// main window's input view with each promotional label on top, the three
// result pages of a sample reading, the About window and the exit screen;
// then, on a screen of twice the density, the input view and the exit screen
// again (the tool runs itself for those, with the scale given after the
// folder).
//
//   starbond-snapshots <output dir>

#include "app/UpdateReminder.h"
#include "outreach/ExitScreen.h"
#include "platform/MessageBox.h"
#include "ui/AboutWindow.h"
#include "ui/MainWindow.h"
#include "ui/kit/Images.h"
#include "ui/kit/Layout.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <cstdio>
#include <cstring>

namespace
{
// The windows are driven as a user's tool drives them: by their controls'
// names.
template <class T> T *control(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}
} // namespace

int main(int argc, char *argv[])
{
    const bool doubled = argc == 3 && std::strcmp(argv[2], "2") == 0;
    if (doubled)
        qputenv("QT_SCALE_FACTOR", "2");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The caret stays drawn: a slow machine would otherwise catch it blinked off.
    QApplication::setCursorFlashTime(0);
    if (argc != 2 && !doubled) {
        std::fprintf(stderr, "usage: starbond-snapshots <output dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    ui::initAppearance();
    QApplication::setWindowIcon(ui::starbondIcon());
    const QString suffix = doubled ? QStringLiteral("@2x.png") : QStringLiteral(".png");

    auto *window = new ui::MainWindow(ui::Promotion::AsLaidOut);
    window->show();
    bool ok = true;
    auto save = [&](const char *name) {
        QApplication::processEvents();
        ok = window->grab().save(out.filePath(QLatin1String(name) + suffix)) && ok;
    };
    save("main-input");

    // The exit screen's support text is drawn at random; the picture shows
    // the last of the four.
    {
        outreach::ExitScreen exitScreen(3);
        ok = exitScreen.grab().save(out.filePath(QStringLiteral("exit-screen") + suffix)) && ok;
    }
    if (doubled)
        return ok ? 0 : 1;

    control<QWidget>(window, "lblFullBrand")->raise();
    save("main-promo-fullbrand");
    control<QWidget>(window, "lblCobrand")->raise();
    save("main-promo-cobrand");

    // Ann, born 10 August; Bob, born 15 May.
    const auto enter = [&](const char *person, const char *name, int day, int month, int year) {
        control<QLineEdit>(window, qPrintable(QStringLiteral("txtName_") + QLatin1String(person)))
            ->setText(QLatin1String(name));
        control<QComboBox>(window, qPrintable(QStringLiteral("cboDate_") + QLatin1String(person)))
            ->setCurrentIndex(day);
        control<QComboBox>(window, qPrintable(QStringLiteral("cboMonth_") + QLatin1String(person)))
            ->setCurrentIndex(month);
        control<QComboBox>(window, qPrintable(QStringLiteral("cboYear_") + QLatin1String(person)))
            ->setCurrentIndex(year);
    };
    enter("0", "Ann", 9, 7, 90);
    enter("1", "Bob", 14, 4, 88);
    save("main-input-filled");

    control<QPushButton>(window, "cmdProceed")->click();
    save("main-reading-user");
    auto *tabs = control<QTabBar>(window, "TS");
    tabs->setCurrentIndex(1);
    save("main-reading-partner");
    tabs->setCurrentIndex(2);
    save("main-reading-compatibility");

    QDialog *about = new ui::AboutWindow(window);
    about->show();
    QApplication::processEvents();
    ok = about->grab().save(out.filePath(QStringLiteral("about.png"))) && ok;
    about->close();

    QMessageBox *question = platform::createMessageBox(app::UpdateQuestion, platform::MsgIcon::Information,
                                                       platform::MsgButtons::YesNo, nullptr);
    question->show();
    QApplication::processEvents();
    ok = question->grab().save(out.filePath(QStringLiteral("update-question.png"))) && ok;
    delete question;

    const int twice = QProcess::execute(QCoreApplication::applicationFilePath(), {out.path(), QStringLiteral("2")});
    return ok && twice == 0 ? 0 : 1;
}

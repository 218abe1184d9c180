#include "app/Startup.h"

#include "app/UpdateReminder.h"
#include "outreach/ExitScreen.h"
#include "platform/Services.h"
#include "ui/MainWindow.h"
#include "ui/kit/Images.h"
#include "ui/kit/Layout.h"

#include <QApplication>
#include <QDateTime>

#include <cmath>
#include <cstdlib>
#include <exception>

namespace app
{
namespace
{

// A failure inside one start-up step abandons that step, silently; start-up
// goes on with the next.
template <typename Step> void runStep(Step &&step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

} // namespace

int coBrandNumber(float r)
{
    const float value = r * 6.0f + 1.0f;
    // nearbyint rounds in the default mode: to nearest, halves to even.
    return static_cast<int>(std::nearbyint(value));
}

ui::Promotion promotionFor(float r)
{
    switch (coBrandNumber(r)) {
    case 2:
    case 4:
    case 6:
        return ui::Promotion::FullBrand;
    case 1:
    case 3:
    case 5:
        return ui::Promotion::CoBrand;
    default: // 7 keeps the layout's order
        return ui::Promotion::AsLaidOut;
    }
}

Program::Program(std::function<void()> terminate, QObject *parent) : QObject(parent), m_shutdown(std::move(terminate))
{
}

ui::MainWindow *Program::start()
{
    ui::initAppearance();
    QApplication::setWindowIcon(ui::starbondIcon());
    // Closing the main window leaves the exit screen; only the way out ends
    // the process.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::Services &services = platform::services();

    if (!services.instanceLock->acquire()) {
        services.messageBoxes->show("Application is already running", platform::MsgIcon::Information);
        m_shutdown.exitApplication();
        return nullptr;
    }

    runStep([this] { seedFromClock(); });
    runStep([] { checkUpdateReminder(); });

    ui::Promotion promotion = ui::Promotion::AsLaidOut;
    runStep([&] { promotion = promotionFor(uniformDraw(m_random)); });
    ui::MainWindow *window = nullptr;
    runStep([&] {
        window = new ui::MainWindow(promotion);
        connect(window, &ui::MainWindow::closing, this, &Program::showExitScreen);
        window->show();
    });
    // Never leave the process running without a window.
    if (!window)
        m_shutdown.exitApplication();
    return window;
}

void Program::showExitScreen()
{
    if (m_exitScreen.isNull()) {
        // The exit screen draws its support text from the generator seeded anew.
        seedFromClock();
        m_exitScreen = new outreach::ExitScreen(outreach::supportTextNumber(uniformDraw(m_random)));
        connect(m_exitScreen, &outreach::ExitScreen::exitAsked, this, [this] { m_shutdown.exitApplication(); });
    }
    m_exitScreen->show();
    // Never leave the process running without a window.
    if (!m_exitScreen->isVisible())
        m_shutdown.exitApplication();
}

void Program::seedFromClock()
{
    m_random.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
}

float uniformDraw(QRandomGenerator &random)
{
    // 24 random bits give every float step in [0, 1) and never 1 itself.
    return static_cast<float>(random.generate() >> 8) * (1.0f / 16777216.0f);
}

int runProgram()
{
    Program program([] { std::_Exit(0); });
    // Until the main window is drawn, the plugin folders are put aside: the
    // style's first pictures would otherwise load every image-format plugin
    // to read two of Qt's own PNG files, which it reads itself (the program's
    // pictures are pixels), and that costs more than much of the window. The
    // platform plugin and the style are loaded by then.
    QApplication::style();
    const QStringList pluginFolders = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    const auto restore = [pluginFolders] { QCoreApplication::setLibraryPaths(pluginFolders); };
    if (ui::MainWindow *window = program.start())
        QObject::connect(window, &ui::MainWindow::drawn, restore);
    else
        restore();
    return QApplication::exec();
}

} // namespace app

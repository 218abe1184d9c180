#include "app/Startup.h"

#include "app/Shutdown.h"
#include "app/UpdateReminder.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "ui/MainWindow.h"
#include "ui/kit/Images.h"
#include "ui/kit/Layout.h"

#include <QApplication>

#include <cmath>
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

std::int16_t coBrandNumber(float r)
{
    const float value = r * 6.0f + 1.0f;
    // nearbyint rounds in the default mode: to nearest, halves to even.
    return static_cast<std::int16_t>(std::nearbyint(value));
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

int runProgram()
{
    platform::installQtServices();
    Shutdown shutdown;
    // Until the main window is drawn, the plugin folders are put aside: the
    // style's first pictures would otherwise load every image-format plugin
    // to read two of Qt's own PNG files, which it reads itself (the program's
    // pictures are pixels), and that costs more than much of the window. The
    // platform plugin and the style are loaded by then.
    QApplication::style();
    const QStringList pluginFolders = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    const auto restore = [pluginFolders] { QCoreApplication::setLibraryPaths(pluginFolders); };
    if (ui::MainWindow *window = startApplication(shutdown))
        QObject::connect(window, &ui::MainWindow::drawn, restore);
    else
        restore();
    return QApplication::exec();
}

ui::MainWindow *startApplication(Shutdown &shutdown)
{
    ui::initAppearance();
    QApplication::setWindowIcon(ui::starbondIcon());
    // Closing the main window leaves the exit screen; only the way out ends
    // the process.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::Services &services = platform::services();

    if (!services.instanceLock->acquire()) {
        platform::showMessage("Application is already running", platform::MsgIcon::Information);
        shutdown.exitApplication();
        return nullptr;
    }

    runStep([&] { services.random->seedFromClock(); });
    runStep([] { checkUpdateReminder(); });

    ui::Promotion promotion = ui::Promotion::AsLaidOut;
    runStep([&] { promotion = promotionFor(services.random->next()); });
    ui::MainWindow *window = nullptr;
    runStep([&] {
        window = new ui::MainWindow(promotion, shutdown);
        window->show();
    });
    // Never leave the process running without a window.
    if (!window)
        shutdown.exitApplication();
    return window;
}

} // namespace app

#include "app/Startup.h"

#include "app/Shutdown.h"
#include "app/UpdateReminder.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "ui/Images.h"
#include "ui/Layout.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QLabel>

#include <cmath>
#include <exception>

std::int16_t intCoBrandRandomNumber = 0;

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

std::int16_t CoBrandNumber(float r)
{
    const float value = r * 6.0f + 1.0f;
    // nearbyint rounds in the default mode: to nearest, halves to even.
    return static_cast<std::int16_t>(std::nearbyint(value));
}

void CoBrand_Randomize(frmMain &window)
{
    intCoBrandRandomNumber = CoBrandNumber(platform::services().random->next());
    switch (intCoBrandRandomNumber) {
    case 2:
    case 4:
    case 6:
        window.lblFullBrand->raise();
        break;
    case 1:
    case 3:
    case 5:
        window.lblCobrand->raise();
        break;
    default: // 7 keeps the layout's order
        break;
    }
}

void StartApplication()
{
    platform::installQtServices();
    RunStartup();
}

void RunStartup()
{
    ui::initAppearance();
    QApplication::setWindowIcon(ui::StarbondIcon());
    // Closing the main window leaves the exit screen; only ExitApplication ends
    // the process.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::Services &services = platform::services();

    if (!services.instanceLock->acquire()) {
        platform::ShowMessage("Application is already running", platform::MsgIcon::Information);
        modHelp::ExitApplication();
        return;
    }

    runStep([&] { services.random->seedFromClock(); });
    runStep([] { modHelp::CheckUpdateReminder(); });

    frmMain *window = nullptr;
    runStep([&] {
        window = new frmMain();
        window->show();
    });
    if (!window) {
        // Never leave the process running without a window.
        modHelp::ExitApplication();
        return;
    }
    runStep([&] { CoBrand_Randomize(*window); });
}

#include "platform/Backends.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <unistd.h>

namespace platform
{
namespace
{

// How long an opener's failure still counts as the page not opening: xdg-open
// finds and starts the browser within milliseconds, and where it can find
// none it says so at once (exit status 3).
constexpr int ReportWithinMs = 2000;

// The desktop's opener, xdg-open from PATH, with the URL as its one
// argument. It is left to run however long it takes (some wait for the
// browser), never killed and never waited for; it reports a failure
// through its exit status, which counts within ReportWithinMs.
class XdgShell final : public Shell
{
  public:
    void openUrl(const std::string &url, const std::function<void()> &notOpened) override
    {
        auto *opener = new QProcess(QCoreApplication::instance());
        opener->setProgram(QStringLiteral("xdg-open"));
        opener->setArguments({QString::fromStdString(url)});
        opener->setWorkingDirectory(QStringLiteral("/"));
        opener->setStandardInputFile(QProcess::nullDevice());
        opener->setProcessChannelMode(QProcess::ForwardedChannels);
        // Its own session: the browser outlives us and our terminal.
        opener->setChildProcessModifier([] { ::setsid(); });
        const QDeadlineTimer patience(ReportWithinMs);
        const auto report = [notOpened, patience](bool failed) {
            if (failed && notOpened && !patience.hasExpired())
                notOpened();
        };
        QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, report](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                report(true);
                opener->deleteLater();
            }
        });
        QObject::connect(opener, &QProcess::finished, opener, [opener, report](int status, QProcess::ExitStatus how) {
            report(how != QProcess::NormalExit || status != 0);
            opener->deleteLater();
        });
        opener->start();
    }
};

} // namespace

Shell &hostShell()
{
    static XdgShell shell;
    return shell;
}

} // namespace platform

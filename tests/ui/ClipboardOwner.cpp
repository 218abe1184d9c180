// Another program on the desktop: puts its text on the clipboard, says
// "ready" and holds the clipboard until its standard input closes.

#include <QApplication>
#include <QClipboard>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::clipboard()->setText(QStringLiteral("another program's text"));
    std::printf("ready\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [] {
        char c;
        if (::read(STDIN_FILENO, &c, 1) <= 0)
            QApplication::quit();
    });
    return QApplication::exec();
}

// The yardstick of bench_startup: an empty Qt Widgets window of the main
// window's size, and nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    window.setFixedSize(550, 418);
    window.show();
    return app.exec();
}

// The yardstick of bench_startup: a plain Qt Widgets window of the main
// window's size holding one label. The label makes it load and draw a font,
// as every real window does; an empty window would spare that.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("label"));
    window.setFixedSize(550, 418);
    QLabel label(QStringLiteral("One label"), &window);
    label.move(20, 20);
    window.show();
    return app.exec();
}

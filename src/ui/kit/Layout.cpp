#include "ui/kit/Layout.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace ui
{

void place(QWidget *widget, int left, int top, int width, int height)
{
    if (width == 0 || height == 0) {
        widget->adjustSize();
        widget->move(twips(left), twips(top));
        return;
    }
    widget->setGeometry(twipsRect(left, top, width, height));
}

QFont verdana(double points, bool bold, bool underline)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void initAppearance()
{
    // DejaVu Sans descends from Bitstream Vera, whose metrics sit close to
    // Verdana's; Debian ships it and not Verdana.
    QFont::insertSubstitutions(
        QStringLiteral("Verdana"),
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QApplication::setFont(verdana(8.25));
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void paintBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    if (palette.color(QPalette::WindowText) == colour && palette.color(QPalette::ButtonText) == colour &&
        palette.color(QPalette::Text) == colour)
        return;
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace ui

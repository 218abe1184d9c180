#include "ui/kit/Layout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui
{

void place(QWidget *widget, Twips rect)
{
    if (rect.width == 0 || rect.height == 0) {
        widget->adjustSize();
        widget->move(twips(rect.left), twips(rect.top));
        return;
    }
    widget->setGeometry(twipsRect(rect.left, rect.top, rect.width, rect.height));
}

namespace
{

// The family where the machine has it, else the first of its stand-ins (see
// initAppearance) that it has, as the font database spells it.
QString firstInstalled(const QString &family)
{
    const QStringList installed = QFontDatabase::families();
    const QStringList candidates = QStringList{family} + QFont::substitutes(family);
    for (const QString &wanted : candidates) {
        const auto found = std::find_if(installed.begin(), installed.end(), [&](const QString &name) {
            return name.compare(wanted, Qt::CaseInsensitive) == 0;
        });
        if (found != installed.end())
            return *found;
    }
    return family;
}

// A face asked for by a family the machine lacks sends every font made of it
// through the font database's search for fallbacks; the stand-in is asked
// for by name instead. Looked up once each: the list of families is long.
QString installedFamily(const char *designed)
{
    const QLatin1StringView name(designed);
    if (name == QLatin1StringView("Verdana")) {
        static const QString verdana = firstInstalled(name);
        return verdana;
    }
    if (name == QLatin1StringView("MS Sans Serif")) {
        static const QString msSansSerif = firstInstalled(name);
        return msSansSerif;
    }
    return name;
}

} // namespace

QFont face(const char *family, double points, bool bold, bool underline)
{
    QFont font(installedFamily(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QFont verdana(double points, bool bold, bool underline)
{
    return face("Verdana", points, bold, underline);
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

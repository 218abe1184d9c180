#pragma once

// Layouts are kept in twips, as designed; 15 twips make one logical pixel.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

class QWidget;

namespace ui
{

constexpr int twips(int t)
{
    return (t + (t >= 0 ? 7 : -7)) / 15;
}
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
// Left, top, width and height in twips; a width or height of 0 sizes the
// control to its text.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Sets parent-relative geometry; a width or height of 0 keeps the widget's own
// size hint (auto-sized labels).
void place(QWidget *widget, Twips rect);

// The colours of the windows.
namespace colours
{
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb Orange = qRgb(236, 74, 40);
inline constexpr QRgb Silver = qRgb(192, 192, 192);
inline constexpr QRgb Navy = qRgb(0, 0, 128);
inline constexpr QRgb Yellow = qRgb(255, 255, 0);
} // namespace colours

// A face of the family, or of a close stand-in where the machine lacks it.
QFont face(const char *family, double points, bool bold = false, bool underline = false);
QFont verdana(double points, bool bold = false, bool underline = false);

// The stand-ins and the application's font; call once after QApplication
// exists, before any window is made.
void initAppearance();

// Puts a top-level window in the centre of its screen.
void centreOnScreen(QWidget *window);

// Fills a widget's background with a solid colour (frames, labels).
void paintBackground(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, const QColor &colour);

// A text of the program's own (UTF-8) for a widget.
inline QString qString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The title bar of every window, and the big title of About and the exit screen.
inline constexpr char WindowTitle[] = "Starbond v1.0";

} // namespace ui

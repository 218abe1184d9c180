#pragma once

// A window's controls as a table, one row each, close to how the window is
// designed: kind, name, parent, place in twips, text, font, colour, style and
// the name a screen reader speaks where the text does not say it. The rows
// are created in order, so a later row lies on top of an earlier one.

#include <QColor>
#include <QString>

#include <span>

class QWidget;

namespace ui
{

enum class Kind {
    Label,        // plain text, sized to it where no width is given
    Link,         // a label that opens a page (LinkLabel)
    Picture,      // an image the window puts in
    Button,       // push button
    CheckButton,  // check box in push-button style
    TextBox,      // one line
    TextArea,     // several lines, vertical scroll bar
    PickList,     // drop-down list, pick only
    RichText,     // read-only formatted text the window writes
    TabStrip,     // a row of tabs, one for each line of the text
    Frame,        // a borderless frame filled with its colour
    Group,        // a frame with its caption in the border, filled with its colour
    CaptionFrame, // a coloured frame that paints its own caption
    Line,         // a rule two pixels thick along its top
};

// Bits of Control::style.
enum Style : unsigned {
    Wrap = 1,   // word-wrapped within the rectangle
    Centre = 2, // centred horizontally
    Opaque = 4, // paints its background in white
    Squeeze = 8 // a face wider than the designed one is narrowed to fit
};

struct Face {
    const char *family = "Verdana";
    double points = 0; // 0: the parent's font
    bool bold = false;
    bool underline = false;
};

inline constexpr QRgb Inherit = 0; // no colour of its own

struct Control {
    Kind kind;
    const char *name;
    const char *parent;           // nullptr: the window itself
    int left, top, width, height; // twips; width 0: sized to the text
    const char *text;
    Face face = {};
    QRgb colour = Inherit; // text colour; the fill of frames and lines
    unsigned style = 0;
    const char *accessibleName = nullptr; // nullptr: the text (a caption frame's caption)
};

// Creates the controls under the window (or the named parent made earlier).
void buildControls(QWidget *window, std::span<const Control> controls);
QWidget *buildControl(QWidget *window, const Control &control);

// One control of a window by its name; a control the table did not make is a
// programming error, so the look-up never fails quietly.
QWidget *controlNamed(const QWidget *window, const QString &name);
template <class T> T *control(const QWidget *window, const QString &name)
{
    return static_cast<T *>(controlNamed(window, name));
}

} // namespace ui

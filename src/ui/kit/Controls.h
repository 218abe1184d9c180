#pragma once

// The controls the windows are made of, each made from one row close to how
// the window is designed: name, place in twips, text, font, colour, style and
// the name a screen reader speaks where the text does not say it, written
// with their field names. A window makes its controls in layout order, so a
// later one lies on top of an earlier sibling, and keeps the typed pointer
// each maker returns.

#include "ui/kit/Layout.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QList>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTextEdit;

namespace ui
{

class LinkLabel;

// Bits of Control::style.
enum Style : unsigned {
    Wrap = 1,    // word-wrapped within the rectangle
    Centre = 2,  // centred horizontally
    Opaque = 4,  // paints its background in white
    Squeeze = 8, // a face wider than the designed one is narrowed to fit
    Etched = 16  // a caption frame's caption set into an etched border
};

struct Face {
    const char *family = "Verdana";
    double points = 0; // 0: the parent's font
    bool bold = false;
    bool underline = false;
};

// The windows' face as designed, and the variants their controls take.
inline constexpr Face Regular{.family = "Verdana", .points = 8.25};
inline constexpr Face Bold{.family = "Verdana", .points = 8.25, .bold = true};
inline constexpr Face BoldLink{.family = "Verdana", .points = 8.25, .bold = true, .underline = true};

inline constexpr QRgb Inherit = 0; // no colour of its own

struct Control {
    const char *name = "";
    Twips rect;
    const char *text = "";
    Face face = {};
    QRgb colour = Inherit; // text colour; the fill of frames and lines
    unsigned style = 0;
    const char *accessibleName = nullptr; // nullptr: the text (a caption frame's caption)
};

// A borderless frame filled with its colour: the views and pages that lie on
// top of each other, which assistive technology hears only while on top.
class Frame : public QFrame
{
    Q_OBJECT
  public:
    Frame(QWidget *parent, const Control &control);
};

// A frame filled with its colour under a caption: a group box as the style
// draws it, or, with the style Etched, the caption set into an etched border.
// The row's face is the caption's alone: the controls inside keep the
// window's. A screen reader names the frame by its caption; it hears the
// controls inside a group box as labelled by it too, those of an etched frame
// not.
class CaptionFrame : public QGroupBox
{
    Q_OBJECT
  public:
    CaptionFrame(QWidget *parent, const Control &control);
    bool isEtched() const { return m_etched; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QString m_caption;
    QFont m_captionFont;
    QColor m_fill;
    bool m_etched;
};

QLabel *label(QWidget *parent, const Control &control);
LinkLabel *link(QWidget *parent, const Control &control);
QLabel *picture(QWidget *parent, const Control &control);
QPushButton *button(QWidget *parent, const Control &control);
QPushButton *checkButton(QWidget *parent, const Control &control); // a check box in push-button style
QLineEdit *textBox(QWidget *parent, const Control &control);
QPlainTextEdit *textArea(QWidget *parent, const Control &control); // several lines, vertical scroll bar
QComboBox *pickList(QWidget *parent, const Control &control);      // drop-down list, pick only
QTextEdit *richText(QWidget *parent, const Control &control);      // read-only, written by the window
QTabBar *tabStrip(QWidget *parent, const Control &control);        // a tab for each line of the text
Frame *frame(QWidget *parent, const Control &control);
QWidget *line(QWidget *parent, const Control &control); // a rule two pixels thick along its top

// The Tab key's order through the widgets, first to last.
void setKeyboardOrder(const QList<QWidget *> &order);

} // namespace ui

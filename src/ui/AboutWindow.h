#pragma once

#include <QDialog>

namespace ui
{

// Names the program and offers two links; modal to the main window, made
// afresh for each showing and destroyed when it closes.
class AboutWindow final : public QDialog
{
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget *parent);

    // Shows a new About window modal to parent; returns once it has closed.
    static void showModal(QWidget *parent);
};

} // namespace ui

#pragma once

class QDialog;
class QWidget;

// A new About window, not yet shown; it deletes itself when closed.
QDialog *CreateAboutWindow(QWidget *parent);

// Creates the About window afresh, shows it modal to parent and destroys it
// when it closes.
void ShowAboutWindow(QWidget *parent);

#pragma once

class QWidget;

// Creates the About window afresh, shows it modal to parent and destroys it
// when it closes.
void ShowAboutWindow(QWidget *parent);

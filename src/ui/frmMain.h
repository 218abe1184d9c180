#pragma once

// The program's one working window: the input view, the result view with its
// tab strip and cards, the menu bar and the link labels.

#include "ui/LinkLabel.h"

#include <QIcon>
#include <QMainWindow>
#include <array>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabBar;
class QTextEdit;

class frmMain : public QMainWindow
{
    Q_OBJECT
  public:
    // Builds the window and runs Form_Load; start-up shows it.
    explicit frmMain(QWidget *parent = nullptr);

    // Reading
    void cmdProceed_Click();
    bool ValidateInput();
    void ShowPersonCard(bool isUser);
    void ShowCompatibility();

    // Input view
    void Form_Load();
    void Form_Unload();
    // Runs for each character typed into txtName[index]; setting KeyAscii to
    // 0 discards the character.
    void txtName_KeyPress(int index, int &KeyAscii);

    // Result view
    void TS_Click();
    void cmdBackToMain_Click();
    void cmdBack1_Click() { cmdBack_Click(0); }
    void cmdNext1_Click() { cmdNext_Click(0); }
    void cmdBack2_Click() { cmdBack_Click(1); }
    void cmdNext2_Click() { cmdNext_Click(1); }
    void RTB_Change() { emptyOwnClipboard(); }
    void RTB_Click() { emptyOwnClipboard(); }
    void RTB_MouseDown() { emptyOwnClipboard(); }
    void RTB_MouseMove() { emptyOwnClipboard(); }
    void RTB_MouseUp() { emptyOwnClipboard(); }

    // Menus and link labels
    void mnuExit_Click() { close(); }
    void mnuCalculate_Click() { cmdProceed_Click(); }
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuAbout_Click();
    void mnuDonate_Click();
    void mnuMakeMoney_Click();
    void Label14_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();

    // Window
    QWidget *client = nullptr;
    ui::LinkLabel *Label14 = nullptr;
    QFrame *fraFullBrand = nullptr;
    ui::LinkLabel *lblCobrand = nullptr;
    ui::LinkLabel *lblFullBrand = nullptr;
    QFrame *fraMain = nullptr;
    QFrame *fraResult = nullptr;

    // Input view
    QLabel *Picture1 = nullptr;
    std::array<QGroupBox *, 2> Frame1{};
    std::array<QLineEdit *, 2> txtName{};
    std::array<QComboBox *, 2> cboDate{};
    std::array<QComboBox *, 2> cboMonth{};
    std::array<QComboBox *, 2> cboYear{};
    QPushButton *cmdProceed = nullptr;
    std::array<QLabel *, 31> lblLabel{}; // no 14 (that is Label14) and no 23

    // Result view
    QTabBar *TS = nullptr;
    std::array<QFrame *, 3> fraDisplay{};
    std::array<QLabel *, 20> lblResult{}; // no 6 and no 16
    QTextEdit *RTB = nullptr;
    QPushButton *cmdBackToMain = nullptr;
    QPushButton *cmdBack1 = nullptr;
    QPushButton *cmdNext1 = nullptr;
    QPushButton *cmdBack2 = nullptr;
    QPushButton *cmdNext2 = nullptr;

    // Menus
    QMenu *mnuFile = nullptr;
    QAction *mnuCalculate = nullptr;
    QAction *mnuSep1 = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuOnline = nullptr;
    QAction *mnuVisit = nullptr;
    QAction *mnuSep2 = nullptr;
    QAction *mnuUpdate = nullptr;
    QAction *mnuSep3 = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuDonate = nullptr;
    QAction *mnuMakeMoney = nullptr;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildWindow();
    void bindControls();
    void wireControls();
    void buildMenus();
    void setKeyboardOrder();

    void cmdBack_Click(int person);
    void cmdNext_Click(int person);
    QString acceptTypedText(int index, const QString &text);
    void emptyOwnClipboard();
    void selectFirstEntries();
};

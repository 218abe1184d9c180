#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <string_view>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
namespace ui
{
class LinkLabel;
}

// The exit screen: a support text, two links and the refer-a-friend form.
// Leaving it ends the process.
class frmNagScreen2 : public QWidget
{
    Q_OBJECT
  public:
    explicit frmNagScreen2(QWidget *parent = nullptr);

    // The support text shown for a draw r in [0, 1).
    static int SupportTextNumber(float r);
    static QString SupportText(int n);

    QLabel *Label1;
    QLabel *Picture1;
    QLabel *Label2;
    QPushButton *Check1;
    QPushButton *cmdClose;
    QWidget *Frame2;
    QLineEdit *txtName;
    QLineEdit *txtEmail;
    QLineEdit *txtFriendName;
    QLineEdit *txtFriendEmail;
    QPushButton *cmdSubmit;
    QPlainTextEdit *txtMessage;
    QWidget *Frame6;
    QLabel *Label3;
    ui::LinkLabel *lblGoToHome;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    struct PlaceholderBox {
        QWidget *box;
        std::string_view placeholder;
        bool refusesBlanks;
    };

    void Form_Load();
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdSubmit_Click();
    void cmdClose_Click();
    void txt_GotFocus(const PlaceholderBox &box);
    void txt_LostFocus(const PlaceholderBox &box);
    bool txtEmail_KeyPress(const PlaceholderBox &box, QEvent *event);

    std::array<PlaceholderBox, 5> m_boxes{};
};

#include "ui/frmAbout.h"

#include "outreach/Links.h"
#include "ui/Layout.h"
#include "ui/LinkLabel.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace
{

class frmAbout final : public QDialog
{
  public:
    explicit frmAbout(QWidget *parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("frmAbout"));
        setWindowTitle(ui::WindowTitle);
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
        setAttribute(Qt::WA_DeleteOnClose);
        setFixedSize(ui::twips(5985), ui::twips(3390));
        ui::paintBackground(this, ui::Orange);

        // Created in layout order; the OK button is the only control that
        // takes the focus, so it has it when the window opens.
        picIcon = new QLabel(this);
        picIcon->setObjectName(QStringLiteral("picIcon"));
        picIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
        ui::place(picIcon, 90, 120, 480, 480);

        cmdOK = new QPushButton(QStringLiteral("OK"), this);
        cmdOK->setObjectName(QStringLiteral("cmdOK"));
        cmdOK->setFont(ui::verdana(8.25, true));
        cmdOK->setDefault(true);
        ui::place(cmdOK, 4635, 3000, 1260, 345);
        connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

        lblHomePage =
            link(QStringLiteral("lblHomePage"),
                 QStringLiteral("Click here to visit ") + QString::fromStdString(modHelp::HomePageUrl()), 1845, 1365);
        connect(lblHomePage, &ui::LinkLabel::clicked, this, [] { modHelp::OpenHomePage(); });

        Label3 = wrapped(QStringLiteral("Label3"),
                         QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                                        "online. Get this software fully branded for your website."),
                         Qt::white, ui::verdana(8.25, true));
        ui::place(Label3, 90, 1800, 5805, 615);

        lblCoBrand = link(QStringLiteral("lblCoBrand"), QStringLiteral("Click here for more details"), 3600, 2415);
        connect(lblCoBrand, &ui::LinkLabel::clicked, this, [] { modHelp::OpenFullBrandPage(); });

        Line2 = new QWidget(this);
        Line2->setObjectName(QStringLiteral("Line2"));
        ui::paintBackground(Line2, QColor(0, 255, 255));
        Line2->setGeometry(ui::twips(-60), ui::twips(2910) - 1, ui::twips(7200 + 60), 2);

        Label2 = ui::label(this, QStringLiteral("Label2"), ui::WindowTitle, ui::verdana(12, true), Qt::black);
        ui::place(Label2, 750, 120);

        Label1 = wrapped(QStringLiteral("Label1"),
                         QStringLiteral("Starbond describes your Starbond based on your planetary archetypes. This "
                                        "software helps you know more about the influence of the planets on your love "
                                        "profile."),
                         QColor(255, 255, 192), font());
        ui::place(Label1, 750, 390, 5145, 975);

        cmdOK->setFocus();
    }

    void cmdOK_Click() { close(); }

    QLabel *picIcon = nullptr;
    QPushButton *cmdOK = nullptr;
    ui::LinkLabel *lblHomePage = nullptr;
    QLabel *Label3 = nullptr;
    ui::LinkLabel *lblCoBrand = nullptr;
    QWidget *Line2 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;

  private:
    QLabel *wrapped(const QString &name, const QString &text, const QColor &colour, const QFont &font)
    {
        QLabel *l = ui::label(this, name, text, font, colour);
        l->setWordWrap(true);
        return l;
    }

    ui::LinkLabel *link(const QString &name, const QString &text, int left, int top)
    {
        auto *l = new ui::LinkLabel(text, this);
        l->setObjectName(name);
        l->setFont(ui::verdana(8.25, false, true));
        ui::setTextColour(l, ui::Yellow);
        ui::place(l, left, top);
        return l;
    }
};

} // namespace

QDialog *CreateAboutWindow(QWidget *parent)
{
    return new frmAbout(parent);
}

void ShowAboutWindow(QWidget *parent)
{
    QDialog *about = CreateAboutWindow(parent);
    about->setWindowModality(Qt::WindowModal);
    about->exec(); // destroyed on close (WA_DeleteOnClose)
}

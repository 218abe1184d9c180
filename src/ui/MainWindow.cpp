#include "ui/MainWindow.h"

#include "outreach/Links.h"
#include "platform/Services.h"
#include "reading/Reading.h"
#include "ui/AboutWindow.h"
#include "ui/InputView.h"
#include "ui/ResultView.h"
#include "ui/kit/Controls.h"
#include "ui/kit/Layout.h"
#include "ui/kit/LinkLabel.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace ui
{

MainWindow::MainWindow(Promotion onTop, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(WindowTitle));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(verdana(8.25));

    // A frame, so that a point on the two views finds the one in front.
    m_client = frame(this, {.name = "client", .rect = {0, 0, 8250, 6270}, .colour = colours::White});
    m_client->setFixedSize(m_client->size());
    setCentralWidget(m_client);
    new PromotionStrip(onTop, m_client);
    m_input = new InputView(m_client);
    auto *forum =
        link(m_client, {.name = "Label14",
                        .rect = {1590, 30, 5070, 435},
                        .text = "The Most Popular Online Mystic Discussion Forum. Click Here To Visit Velmora Now.",
                        .face = BoldLink,
                        .colour = colours::Black,
                        .style = Centre | Wrap});
    connect(forum, &LinkLabel::clicked, this, [] { outreach::openPage(outreach::Page::Home); });
    connect(m_input, &InputView::readingAsked, this, &MainWindow::showReading);
    makeMenus();

    setKeyboardOrder(m_input->keyboardOrder() + QList<QWidget *>{m_input->picture()});
    m_client->installEventFilter(this);

    setFixedSize(sizeHint()); // before the native window exists
    centreOnScreen(this);
    m_input->raise();
    m_input->focusName(reading::Whose::User);
}

// The hidden entries stay off the menus, so that nothing, assistive
// technology included, offers them.
void MainWindow::makeMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    const auto action = [this](QWidget *menu, const char *name, const QString &caption, auto handler) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        if (menu)
            menu->addAction(a);
        else
            a->setVisible(false);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    const auto page = [](outreach::Page page) { return [page] { outreach::openPage(page); }; };

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    action(nullptr, "mnuCalculate", QStringLiteral("Calculate My 9 Star &Ki Astrology"), [this] { showReading(); });
    auto *hiddenSeparator = new QAction(this);
    hiddenSeparator->setSeparator(true);
    hiddenSeparator->setObjectName(QStringLiteral("mnuSep1"));
    hiddenSeparator->setVisible(false);
    action(file, "mnuExit", QStringLiteral("E&xit"), [this] { close(); });

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    action(help, "mnuOnline", QStringLiteral("&Online Help"), page(outreach::Page::OnlineHelp));
    action(help, "mnuVisit", QStringLiteral("&Visit Us Online"), page(outreach::Page::Home));
    help->addSeparator()->setObjectName(QStringLiteral("mnuSep2"));
    action(help, "mnuUpdate", QStringLiteral("Check for Software &Update"), page(outreach::Page::Download));
    help->addSeparator()->setObjectName(QStringLiteral("mnuSep3"));
    action(help, "mnuAbout", QStringLiteral("&About Software"), [this] { AboutWindow::showModal(this); });

    action(bar, "mnuDonate", QStringLiteral("&Donate"), page(outreach::Page::Donation));
    action(nullptr, "mnuMakeMoney", QStringLiteral("Make Money &Online"), page(outreach::Page::FullBrand));
}

ResultView *MainWindow::resultView()
{
    if (m_result)
        return m_result;
    m_result = new ResultView(m_client);
    m_result->stackUnder(m_input);
    m_result->show();
    connect(m_result, &ResultView::anotherReadingAsked, this, &MainWindow::askAnotherReading);
    // The same keyboard order whichever view is in front, so that the Tab key
    // reaches the covered view too: the result view's controls go between the
    // reading button and the picture, its text after the picture; the chain
    // leads back to the first box.
    setKeyboardOrder({m_input->keyboardOrder().constLast(), m_result->backButton(), m_result->tabStrip(),
                      m_input->picture(), m_result->compatibilityBox()});
    return m_result;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Paint) {
        m_client->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &MainWindow::drawn, Qt::QueuedConnection);
        QMetaObject::invokeMethod(
            this, [this] { resultView(); }, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showReading()
{
    const reading::Couple input = m_input->input();
    if (const auto fault = reading::firstInputFault(input)) {
        // Missing input is critical; a wrong date only informs.
        platform::services().messageBoxes->show(std::string(fault->message),
                                                fault->kind == reading::FaultKind::MissingName
                                                    ? platform::MsgIcon::Critical
                                                    : platform::MsgIcon::Information);
        if (fault->focus)
            m_input->focusName(*fault->focus);
        return;
    }
    resultView()->showReading(reading::readingOf(input));
    m_result->raise();
}

void MainWindow::askAnotherReading()
{
    m_input->clear();
    m_input->raise();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    emit closing();
    event->accept();
}

} // namespace ui

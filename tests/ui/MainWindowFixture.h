#pragma once

// Shared set-up of the main window tests: a shown main window with every
// platform service faked, and the small look-ups the tests repeat.

#include "reading/BirthData.h"
#include "support/FakeServices.h"
#include "ui/MainWindow.h"
#include "ui/kit/Layout.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <memory>

namespace uitest
{

template <class T> T *child(QWidget *window, const QString &name)
{
    T *w = window->findChild<T *>(name);
    if (!w)
        qWarning("no child named %s", qPrintable(name));
    return w;
}

// True when a lies above b among the children of their common parent.
inline bool inFront(const QWidget *a, const QWidget *b)
{
    const QObjectList &siblings = a->parentWidget()->children();
    return siblings.indexOf(a) > siblings.indexOf(b);
}

// The window as start-up leaves it, with fakes for every service.
struct MainWindow {
    MainWindow()
    {
        ui::initAppearance();
        window = new ui::MainWindow(ui::Promotion::AsLaidOut);
        window->show();
        window->activateWindow();
        // Active, drawn, and the result view made after it.
        if (!QTest::qWaitForWindowActive(window) ||
            !QTest::qWaitFor([this] { return window->findChild<QWidget *>(QStringLiteral("fraResult")); }))
            qWarning("main window not drawn whole");
    }
    ~MainWindow() { delete window.data(); }
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    template <class T> T *get(const QString &name) const { return child<T>(window, name); }

    // Types a name and picks a date with the keyboard, as a user would.
    void enterPerson(reading::Whose whose, const QString &name, int day, const QString &month, int year) const
    {
        const QString n = whose == reading::Whose::User ? QStringLiteral("0") : QStringLiteral("1");
        auto *box = get<QLineEdit>(QStringLiteral("txtName_") + n);
        box->setFocus();
        QTest::keyClicks(box, name);
        pick(get<QComboBox>(QStringLiteral("cboDate_") + n), QString::number(day));
        pick(get<QComboBox>(QStringLiteral("cboMonth_") + n), month);
        pick(get<QComboBox>(QStringLiteral("cboYear_") + n), QString::number(year));
    }

    // Moves a closed pick-list with the arrow keys until it shows the text.
    static void pick(QComboBox *box, const QString &text)
    {
        box->setFocus();
        const int target = box->findText(text);
        while (box->currentIndex() < target)
            QTest::keyClick(box, Qt::Key_Down);
        while (box->currentIndex() > target)
            QTest::keyClick(box, Qt::Key_Up);
    }

    void clickProceed() const { QTest::mouseClick(get<QWidget>(QStringLiteral("cmdProceed")), Qt::LeftButton); }

    void readAnnAndBob() const
    {
        enterPerson(reading::Whose::User, QStringLiteral("Ann"), 10, QStringLiteral("August"), 1990);
        enterPerson(reading::Whose::Partner, QStringLiteral("Bob"), 15, QStringLiteral("May"), 1988);
        clickProceed();
    }

    fakes::All fakes;
    QPointer<ui::MainWindow> window;
};

} // namespace uitest

// Renders the main window, off screen, to PNG files for the documentation:
// the input view and the three result pages of a sample reading.
//
//   starbond-snapshots <output dir>

#include "platform/qt/QtServices.h"
#include "ui/Layout.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabBar>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: starbond-snapshots <output dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    ui::initAppearance();
    platform::installQtServices();
    QApplication::setWindowIcon(ui::StarbondIcon());

    auto *window = new frmMain;
    window->show();
    bool ok = true;
    auto save = [&](const char *name) {
        QApplication::processEvents();
        ok = window->grab().save(out.filePath(QString::fromLatin1(name))) && ok;
    };
    save("main-input.png");

    // Ann, born 10 August; Bob, born 15 May.
    window->txtName[0]->setText(QStringLiteral("Ann"));
    window->cboDate[0]->setCurrentIndex(9);
    window->cboMonth[0]->setCurrentIndex(7);
    window->cboYear[0]->setCurrentIndex(90);
    window->txtName[1]->setText(QStringLiteral("Bob"));
    window->cboDate[1]->setCurrentIndex(14);
    window->cboMonth[1]->setCurrentIndex(4);
    window->cboYear[1]->setCurrentIndex(88);
    save("main-input-filled.png");

    window->cmdProceed_Click();
    save("main-reading-user.png");
    window->TS->setCurrentIndex(1);
    save("main-reading-partner.png");
    window->TS->setCurrentIndex(2);
    save("main-reading-compatibility.png");
    return ok ? 0 : 1;
}

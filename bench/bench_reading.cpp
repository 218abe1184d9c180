// Times one whole reading, from the button's handler until both cards and
// the compatibility text are written, on the off-screen platform.
//
//   bench_reading [iterations]

#include "ui/MainWindow.h"
#include "ui/kit/Layout.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::initAppearance();
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    auto *window = new ui::MainWindow(ui::Promotion::AsLaidOut);
    window->show();
    QApplication::processEvents();
    // The controls a user works, by their names.
    const auto control = [&](const char *family, int person) {
        return window->findChild<QWidget *>(QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(person));
    };
    auto *proceed = window->findChild<QPushButton *>(QStringLiteral("cmdProceed"));
    auto *again = window->findChild<QPushButton *>(QStringLiteral("cmdBackToMain"));

    // Alternate two couples so that every reading changes every text.
    struct Couple {
        const char *names[2];
        int day[2], month[2];
    };
    const Couple couples[] = {{{"Ann", "Bob"}, {9, 14}, {7, 4}}, {{"Carol", "Dave"}, {0, 20}, {0, 11}}};

    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(iterations));
    for (int n = 0; n < iterations + 50; ++n) {
        const Couple &c = couples[n % 2];
        for (int i : {0, 1}) {
            static_cast<QLineEdit *>(control("txtName", i))->setText(QString::fromLatin1(c.names[i]));
            static_cast<QComboBox *>(control("cboDate", i))->setCurrentIndex(c.day[i]);
            static_cast<QComboBox *>(control("cboMonth", i))->setCurrentIndex(c.month[i]);
        }
        const auto start = std::chrono::steady_clock::now();
        proceed->click();
        const auto stop = std::chrono::steady_clock::now();
        QApplication::processEvents();
        if (n >= 50) // warm-up
            micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        again->click();
    }

    std::sort(micros.begin(), micros.end());
    auto pct = [&](double p) { return micros[static_cast<std::size_t>(p * static_cast<double>(micros.size() - 1))]; };
    std::printf("bench_reading: %d readings, microseconds per reading\n", iterations);
    std::printf("  min %.1f  p10 %.1f  median %.1f  p90 %.1f  p99 %.1f  max %.1f\n", micros.front(), pct(0.10),
                pct(0.50), pct(0.90), pct(0.99), micros.back());
    return 0;
}

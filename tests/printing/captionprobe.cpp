// The progress window as a print run shows it, on whatever platform Qt is given, for a script
// that reads the title bar from outside (tests/progress_caption.sh). Writes "WINDOW-ID CAPTION"
// once the window shows with the caption and waits for a line on standard input, for an empty
// caption and then "PUZZLE", twice (the second run reuses the window).
#include "printing/printprogresswindow.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

bool shown(PrintProgressWindow& window, const char* caption)
{
    QCoreApplication::processEvents();
    std::printf("0x%llx %s\n", static_cast<unsigned long long>(window.winId()), caption);
    std::fflush(stdout);
    std::string line;
    return static_cast<bool>(std::getline(std::cin, line));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestProgram t;
    PrintProgressWindow window(*t.program);
    for (int run = 0; run < 2; ++run) {
        window.setCaption(QString());
        window.showRun();
        if (!QTest::qWaitForWindowExposed(&window))
            return 2;
        if (!shown(window, "-"))
            return 0;
        window.setCaption(QStringLiteral("PUZZLE"));
        if (!shown(window, "PUZZLE"))
            return 0;
        window.closeRun();
    }
    return 0;
}

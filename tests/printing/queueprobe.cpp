// The program's print path on the real printer, for tests/print_queue.sh: each puzzle file is
// printed as a play window prints it (the options dialogue answered with puzzle and key, COPIES
// of each), through the printer the program makes at start. Writes what the dialogue names as
// the printer, each run's result and every message box, one line each ("|" for line breaks).
// With --cancel, Cancel is pressed once the first sheet of each run has gone.
// Usage: queue_probe COPIES [--cancel] FILE...
#include "cli/printverbs.h"
#include "cli/verbs.h"
#include "platform/qtprinter.h"
#include "printing/printoptionsdialog.h"
#include "printing/printprogresswindow.h"
#include "printing/printpuzzle.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    const bool cancel = args.removeAll(QStringLiteral("--cancel")) > 0;
    const int copies = args.value(0).toInt();
    if (args.size() < 2 || copies < 1 || copies > 99) {
        err << "usage: queue_probe COPIES [--cancel] FILE...\n";
        return 2;
    }
    TestProgram t;
    QtPrinter printer;
    t.program->printer = &printer;
    PrintOptionsDialog options(*t.program);
    PrintProgressWindow progress(*t.program);
    // The counter reads "Copy 1 of" from just before the first sheet; the run lets events in
    // only after the sheet has gone.
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&progress, &canceller] {
        if (progress.findChild<QLabel*>(QStringLiteral("lblmsg2"))->text().startsWith(QLatin1String("Copy 1 of"))) {
            progress.findChild<QPushButton*>(QStringLiteral("btncancel"))->click();
            canceller.stop();
        }
    });
    const maker::Registry registry = maker::AllVerbs();
    maker::Context ctx{t.programFolder(), out, err};

    for (const QString& file : args.mid(1)) {
        const maker::FileKind* kind = registry.kindFor(file);
        maker::PrintablePages pages;
        if (!kind || !kind->pages || kind->pages(file, ctx, pages) != 0) {
            err << file << ": cannot be read\n";
            return 2;
        }
        if (copies > 1)
            t.boxes.answer({true}); // the page count
        WhenModalNamed(QStringLiteral("fmprint"), [&out, copies](QWidget* dialog) {
            out << "printer " << dialog->findChild<QLabel*>(QStringLiteral("lblprinter"))->text() << "\n";
            dialog->findChild<QCheckBox*>(QStringLiteral("cbkey"))->click();
            dialog->findChild<QSpinBox*>(QStringLiteral("UpDown1"))->setValue(copies);
            dialog->findChild<QSpinBox*>(QStringLiteral("UpDown2"))->setValue(copies);
            dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        const qsizetype seen = t.boxes.boxes.size();
        if (cancel)
            canceller.start(0);
        const bool started = printing::PrintPuzzle(*t.program, options, progress, pages.steps, pages.name,
                                                   pages.describe);
        for (qsizetype i = seen; i < t.boxes.boxes.size(); ++i) {
            const ScriptedBoxes::Box& box = t.boxes.boxes[i];
            out << "box " << box.kind << " " << box.title << ": " << QString(box.text).replace(QLatin1Char('\n'), QLatin1Char('|'))
                << "\n";
        }
        out << "run " << pages.name << (started ? " started" : " not started") << "\n";
        out.flush();
    }
    return 0;
}

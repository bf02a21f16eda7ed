// The program's print path on the real printer, for tests/print_queue.sh: each puzzle file is
// printed as a play window prints it (the options dialogue answered with puzzle and key, COPIES
// of each), through the printer the program makes at start. Writes what the dialogue names as
// the printer, each run's result and every message box, one line each ("|" for line breaks).
// Usage: queue_probe COPIES FILE...
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

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    const int copies = args.value(0).toInt();
    if (args.size() < 2 || copies < 1 || copies > 99) {
        err << "usage: queue_probe COPIES FILE...\n";
        return 2;
    }
    TestProgram t;
    QtPrinter printer;
    t.program->printer = &printer;
    PrintOptionsDialog options(*t.program);
    PrintProgressWindow progress(*t.program);
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
        const bool started = printing::PrintPuzzle(*t.program, options, progress, pages.pageKind, pages.name,
                                                   pages.describe, pages.prepare);
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

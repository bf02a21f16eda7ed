#include "printing/printpuzzle.h"

#include "platform/messageboxes.h"
#include "platform/printer.h"
#include "printing/printprogresswindow.h"
#include "printing/printoptionsdialog.h"
#include "shell/program.h"

#include <QCoreApplication>

namespace printing {
namespace {

const QString kPrintError = QStringLiteral("Print error");

QString unitFor(int count)
{
    return count == 1 ? QStringLiteral("copy") : QStringLiteral("copies");
}

bool nothingPrinted(PrintProgressWindow& progress)
{
    progress.closeRun();
    return false;
}

} // namespace

bool PrintPuzzle(Program& program, PrintOptionsDialog& options, PrintProgressWindow& progress, PageSteps steps,
                 const QString& name, const DescribePages& describe)
{
    if (program.printer)
        program.printer->setPortrait();
    if (options.exec() != QDialog::Accepted)
        return nothingPrinted(progress);

    const PrintChoices& choices = program.printChoices;
    const int p = choices.printPuzzle ? choices.puzzleCopies : 0;
    const int k = choices.printKey ? choices.keyCopies : 0;
    if (p > 1 || k > 1) {
        const QString text = QStringLiteral("You have chosen to print ") + QString::number(p) + QLatin1Char(' ') +
                             unitFor(p) + QStringLiteral(" of the puzzle\nand to print ") + QString::number(k) +
                             QLatin1Char(' ') + unitFor(k) +
                             QStringLiteral(" of the Key.\n\nAre you sure these numbers are correct?");
        if (!program.boxes.question(QStringLiteral("Page count"), text))
            return nothingPrinted(progress);
    }

    // Into a PDF file, each run asks for a file of its own.
    QString pdfFile;
    if (program.printer && program.printer->printsToFile()) {
        pdfFile = AskPdfFile(*program.printer, program.boxes, &options, name);
        if (pdfFile.isEmpty())
            return nothingPrinted(progress);
    }
    std::unique_ptr<SheetOutput> output = program.printer ? program.printer->startRun(pdfFile) : nullptr;
    if (!output) {
        progress.closeRun();
        program.boxes.error(kPrintError, QStringLiteral("No printer is installed.\nPress Properties to choose a "
                                                        "printer or to print to a PDF file."));
        return false;
    }
    RunRequest request;
    request.steps = steps;
    request.choices = RunChoices{choices.printPuzzle, choices.printKey, choices.puzzleCopies, choices.keyCopies};
    request.name = name;
    request.describe = describe;
    const RunEnd end = RunPrint(request, progress, *output);
    if (end == RunEnd::failed)
        program.boxes.error(kPrintError, QStringLiteral("The page could not be printed.\n") + output->target() +
                                             (output->failure().isEmpty() ? QString() : QStringLiteral("\n") + output->failure()));
    else if (!pdfFile.isEmpty())
        program.boxes.message(PdfWrittenNotice(pdfFile));
    return true;
}

} // namespace printing

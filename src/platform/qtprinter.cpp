#include "platform/qtprinter.h"

#include "platform/cupsqueue.h"
#include "platform/pdfsheets.h"

#include <QPainter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPushButton>

namespace {

bool choseFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

// Each sheet a job of its own on the printer.
class PrinterJobs : public SheetOutput {
public:
    explicit PrinterJobs(QPrinter& printer) : printer_(printer) {}

    bool printSheet(const DrawSheet& draw) override
    {
        // A queue that is stopped or refuses jobs would swallow the sheet or drop it unsaid: the
        // run stops before it, with the queue's reason.
        failure_ = cupsqueue::Refusal(printer_.printerName());
        if (!failure_.isEmpty())
            return false;
        // The dialogue's copies and ranges play no part: the run counts copies itself.
        printer_.setCopyCount(1);
        printer_.setPrintRange(QPrinter::AllPages);
        QPainter painter;
        if (!painter.begin(&printer_))
            return false;
        draw(painter, QRect(0, 0, printer_.width(), printer_.height()));
        const bool ended = painter.end() && printer_.printerState() != QPrinter::Error;
        // Ending the page hands the job to the queue on this thread; its answer is the last one.
        failure_ = cupsqueue::LastError();
        return ended && failure_.isEmpty();
    }
    bool finish() override { return true; }
    QString target() const override { return printer_.printerName(); }
    QString failure() const override { return failure_; }

private:
    QPrinter& printer_;
    QString failure_;
};

} // namespace

QtPrinter::QtPrinter() = default;

QPrinter& QtPrinter::printer() const
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void QtPrinter::setPortrait()
{
    printer().setPageOrientation(QPageLayout::Portrait);
}

void QtPrinter::runSetup(QWidget* parent)
{
    QPrintDialog dialog(&printer(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // This dialogue only sets the printer up; each run prints from the print options.
    for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dialog.exec();
}

bool QtPrinter::hasTarget() const
{
    return choseFile(printer()) || (printer().outputFormat() == QPrinter::NativeFormat && printer().isValid() &&
                                      !printer().printerName().isEmpty());
}

bool QtPrinter::printsToFile() const
{
    return choseFile(printer());
}

QString QtPrinter::printerName() const
{
    return printer().outputFormat() == QPrinter::NativeFormat ? printer().printerName() : QString();
}

std::unique_ptr<SheetOutput> QtPrinter::startRun(const QString& pdfFile)
{
    if (!pdfFile.isEmpty())
        return std::make_unique<PdfSheets>(pdfFile, printer().pageLayout(), printer().resolution());
    if (!hasTarget() || choseFile(printer()))
        return nullptr;
    return std::make_unique<PrinterJobs>(printer());
}

QString QtPrinter::choosePdfFile(QWidget* parent, const QString& suggested)
{
    // Replacing a file is asked by the caller, in the program's own words.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Print to file"), suggested,
                                        QStringLiteral("PDF files (*.pdf)"), nullptr, QFileDialog::DontConfirmOverwrite);
}

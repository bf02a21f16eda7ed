#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QWidget;

// Where the sheets of one print run go: a printer, one job a sheet, or a PDF file, one page a
// sheet. A run asks for one output, prints its sheets and finishes it.
class SheetOutput {
public:
    // Draws one sheet; printable is the area the printer can reach, in the painter's pixels.
    using DrawSheet = std::function<void(QPainter& painter, const QRect& printable)>;

    virtual ~SheetOutput() = default;
    // False when the job could not start or failed; the run stops then.
    virtual bool printSheet(const DrawSheet& draw) = 0;
    // Ends the run (a PDF file is written here); false when that failed.
    virtual bool finish() = 0;
    // The printer's or the file's name, for messages.
    virtual QString target() const = 0;
    // Why the last sheet or the finish failed, in the printer's own words where it gave any.
    virtual QString failure() const { return QString(); }
};

// The program's one printer and its set-up, kept for the whole run of the program so a choice
// made under Properties holds for later prints.
class PrinterSetup {
public:
    virtual ~PrinterSetup() = default;
    virtual void setPortrait() = 0;
    // The printer set-up dialogue (its PDF entry included).
    virtual void runSetup(QWidget* parent) = 0;
    // A printer is installed or a PDF file has been chosen.
    virtual bool hasTarget() const = 0;
    // The set-up chose to print into a PDF file rather than on a printer.
    virtual bool printsToFile() const = 0;
    // The printer's name as the system knows it; "" when printing into a file or without one.
    virtual QString printerName() const { return QString(); }
    // The output of one run: into pdfFile when one is given, else on the printer; null when
    // there is nowhere to print.
    virtual std::unique_ptr<SheetOutput> startRun(const QString& pdfFile = QString()) = 0;
    // The system's dialogue for the name of a PDF file, opened on suggested; "" on Cancel.
    virtual QString choosePdfFile(QWidget* parent, const QString& suggested) = 0;
};

class MessageBoxes;

// The name of the PDF file of one print run: each run offers a name of its own, the title and
// ".pdf" in the user's documents folder, and asks before replacing a file that is there. ""
// when the user gives up.
QString AskPdfFile(PrinterSetup& printer, MessageBoxes& boxes, QWidget* parent, const QString& title);

// The short notice after a run into a PDF file, naming the file.
QString PdfWrittenNotice(const QString& pdfFile);

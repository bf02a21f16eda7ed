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
    // The output of one run; null when there is nowhere to print.
    virtual std::unique_ptr<SheetOutput> startRun() = 0;
};

#pragma once

#include "platform/printer.h"

#include <QPrinter>

#include <memory>

// The real printer: one QPrinter for the program's whole run, made when printing is first asked
// for (it asks the print system for its default printer, which the start need not wait for). A sheet is one job of one copy;
// when the set-up chose a PDF file, the run writes one file with a page a sheet instead.
class QtPrinter : public PrinterSetup {
public:
    QtPrinter();

    void setPortrait() override;
    void runSetup(QWidget* parent) override;
    bool hasTarget() const override;
    bool printsToFile() const override;
    QString printerName() const override;
    std::unique_ptr<SheetOutput> startRun(const QString& pdfFile = QString()) override;
    QString choosePdfFile(QWidget* parent, const QString& suggested) override;

    QPrinter& printer() const;

private:
    mutable std::unique_ptr<QPrinter> printer_;
};

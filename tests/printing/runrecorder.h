#pragma once

#include "platform/imagesheets.h"
#include "platform/printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QStringList>
#include <functional>

// A printer for tests: set-up is scripted, and every job is recorded as a 300-dpi picture of
// the sheet on A4 or Letter with the default margins.
class RecordingPrinter : public PrinterSetup {
public:
    void setPortrait() override { ++portraitCalls; }
    void runSetup(QWidget*) override
    {
        ++setupRuns;
        if (onSetup)
            onSetup();
    }
    bool hasTarget() const override { return installed || toFile; }
    bool printsToFile() const override { return toFile; }
    std::unique_ptr<SheetOutput> startRun(const QString& pdfFile = QString()) override;
    QString choosePdfFile(QWidget*, const QString& suggested) override
    {
        suggestions << suggested;
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }

    static QPageLayout Paper(QPageSize::PageSizeId id);

    bool installed = true;
    bool toFile = false;           // the set-up chose a PDF file
    QStringList fileAnswers;       // the names given to the PDF file dialogue, in turn; "" cancels
    QStringList suggestions;       // what the dialogue was opened on
    QStringList pdfFiles;          // the PDF file of each run that printed into one
    QPageSize::PageSizeId paper = QPageSize::A4;
    int failAtSheet = 0; // the job of this sheet (from 1) fails; 0 never
    std::function<void()> onSetup;
    std::function<void()> onSheet; // runs as each job prints
    int portraitCalls = 0;
    int setupRuns = 0;
    QList<QImage> jobs;
};

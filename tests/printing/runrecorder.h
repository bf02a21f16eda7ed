#pragma once

#include "platform/imagesheets.h"
#include "platform/printer.h"

#include <QPageLayout>
#include <QPageSize>
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
    bool hasTarget() const override { return installed; }
    std::unique_ptr<SheetOutput> startRun() override;

    static QPageLayout Paper(QPageSize::PageSizeId id);

    bool installed = true;
    QPageSize::PageSizeId paper = QPageSize::A4;
    int failAtSheet = 0; // the job of this sheet (from 1) fails; 0 never
    std::function<void()> onSetup;
    std::function<void()> onSheet; // runs as each job prints
    int portraitCalls = 0;
    int setupRuns = 0;
    QList<QImage> jobs;
};

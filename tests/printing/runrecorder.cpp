#include "printing/runrecorder.h"

#include "platform/pdfsheets.h"

namespace {

class RecordedJobs : public SheetOutput {
public:
    explicit RecordedJobs(RecordingPrinter& printer)
        : printer_(printer), pictures_(RecordingPrinter::Paper(printer.paper), 300)
    {
    }
    bool printSheet(const DrawSheet& draw) override
    {
        if (printer_.onSheet)
            printer_.onSheet();
        if (printer_.failAtSheet == printer_.jobs.size() + 1)
            return false;
        pictures_.printSheet(draw);
        printer_.jobs << pictures_.sheets.takeLast();
        return true;
    }
    bool finish() override { return true; }
    QString target() const override { return QStringLiteral("Test printer"); }

private:
    RecordingPrinter& printer_;
    ImageSheets pictures_;
};

} // namespace

std::unique_ptr<SheetOutput> RecordingPrinter::startRun(const QString& pdfFile)
{
    if (!pdfFile.isEmpty())
        pdfFiles << pdfFile;
    else if (!installed)
        return nullptr;
    return std::make_unique<RecordedJobs>(*this);
}

QPageLayout RecordingPrinter::Paper(QPageSize::PageSizeId id)
{
    return DefaultPdfLayout(id);
}

#pragma once

#include "platform/printer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

// Portrait paper of the given size with the margins a PDF gets by default.
QPageLayout DefaultPdfLayout(QPageSize::PageSizeId paper);

// One PDF file a run: every sheet a page of one document on the given paper, kept in memory and
// written through the atomic writer at the end, so a failed run leaves an old file whole.
// A run that printed no sheet writes nothing.
class PdfSheets : public SheetOutput {
public:
    PdfSheets(QString path, const QPageLayout& layout, int dpi);
    ~PdfSheets() override;

    bool printSheet(const DrawSheet& draw) override;
    bool finish() override;
    QString target() const override { return path_; }

    int sheets() const { return sheets_; }
    // Why the file could not be written, after a failed finish.
    QString error() const { return error_; }

private:
    QString path_;
    QByteArray bytes_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    int sheets_ = 0;
    bool broken_ = false;
    QString error_;
};

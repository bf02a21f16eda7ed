#include "platform/pdfsheets.h"

#include "platform/atomicfile.h"

QPageLayout DefaultPdfLayout(QPageSize::PageSizeId paper)
{
    QBuffer scratch;
    QPdfWriter writer(&scratch);
    QPageLayout layout = writer.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    layout.setPageSize(QPageSize(paper));
    return layout;
}

PdfSheets::PdfSheets(QString path, const QPageLayout& layout, int dpi)
    : path_(std::move(path)), buffer_(&bytes_)
{
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(dpi);
    writer_->setPageLayout(layout);
    writer_->setCreator(QStringLiteral("Brainloft"));
}

PdfSheets::~PdfSheets()
{
    if (painter_ && painter_->isActive())
        painter_->end();
}

bool PdfSheets::printSheet(const DrawSheet& draw)
{
    if (broken_)
        return false;
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(writer_.get())) {
            broken_ = true;
            return false;
        }
    } else if (!writer_->newPage()) {
        broken_ = true;
        return false;
    }
    painter_->save();
    draw(*painter_, QRect(0, 0, writer_->width(), writer_->height()));
    painter_->restore();
    ++sheets_;
    return true;
}

bool PdfSheets::finish()
{
    if (!painter_)
        return !broken_;
    if (painter_->isActive() && !painter_->end())
        broken_ = true;
    painter_.reset();
    writer_.reset();
    buffer_.close();
    if (broken_)
        return false;
    return atomicfile::WriteFile(path_, bytes_, &error_);
}

#pragma once

#include "platform/printer.h"

#include <QImage>
#include <QList>
#include <QPageLayout>

// Each sheet drawn onto a white picture of the whole paper at the given resolution, the
// printable area placed inside the margins: what a printer would put on paper.
class ImageSheets : public SheetOutput {
public:
    ImageSheets(const QPageLayout& layout, int dpi, QString name = QStringLiteral("picture"));

    bool printSheet(const DrawSheet& draw) override;
    bool finish() override { return true; }
    QString target() const override { return name_; }

    QList<QImage> sheets;

private:
    QPageLayout layout_;
    int dpi_;
    QString name_;
};

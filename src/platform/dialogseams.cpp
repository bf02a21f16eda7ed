#include "platform/colourchooser.h"
#include "platform/linkopener.h"
#include "platform/richtextprinter.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

bool QtColourChooser::choose(QWidget* parent, const QColor& initial, QColor& chosen)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return false;
    chosen = colour;
    return true;
}

void DesktopLinkOpener::open(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

void QtRichTextPrinter::print(const QTextDocument& document, const QString& jobName)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!pdfFile_.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile_);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        return;
    }
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(jobName);
    document.print(&printer);
}

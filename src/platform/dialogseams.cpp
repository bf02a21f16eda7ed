#include "platform/colourchooser.h"
#include "platform/linkopener.h"
#include "platform/richtextprinter.h"

#include "platform/atomicfile.h"

#include <QBuffer>
#include <QColorDialog>
#include <QPdfWriter>
#include <QDesktopServices>
#include <QStandardPaths>
#include <QProcess>
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

namespace {

// Notes the platform would print while trying a link go nowhere.
void ignoreMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void DesktopLinkOpener::open(const QUrl& url)
{
    // The desktop's opener, with its output sent nowhere: a machine without a browser says so
    // on the console otherwise, and a failing link is to be ignored quietly.
    if (!QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        QProcess opener;
        opener.setProgram(QStringLiteral("xdg-open"));
        opener.setArguments({url.toString(QUrl::FullyEncoded)});
        opener.setStandardOutputFile(QProcess::nullDevice());
        opener.setStandardErrorFile(QProcess::nullDevice());
        if (opener.startDetached())
            return;
    }
    // Without the opener the platform tries its own ways, and says on the terminal when it finds
    // no browser: that is kept quiet too.
    const QtMessageHandler previous = qInstallMessageHandler(ignoreMessage);
    QDesktopServices::openUrl(url);
    qInstallMessageHandler(previous);
}

bool QtRichTextPrinter::hasPrinter() const
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool QtRichTextPrinter::print(const QTextDocument& document, const QString& jobName, const QString& pdfFile)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(jobName);
    if (pdfFile.isEmpty()) {
        if (!hasPrinter())
            return false;
        document.print(&printer);
        return printer.printerState() != QPrinter::Error;
    }
    // A PDF is made in memory and written as every file is: whole or not at all.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(300);
        writer.setTitle(jobName);
        writer.setCreator(QStringLiteral("Brainloft"));
        document.print(&writer);
    }
    return atomicfile::WriteFile(pdfFile, pdf.data());
}

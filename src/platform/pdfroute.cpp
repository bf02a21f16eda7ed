#include "platform/messageboxes.h"
#include "platform/printer.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString AskPdfFile(PrinterSetup& printer, MessageBoxes& boxes, QWidget* parent, const QString& title)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString base = title.trimmed();
    base.replace(QLatin1Char('/'), QLatin1Char('-'));
    if (base.isEmpty())
        base = QStringLiteral("Puzzle");
    QString suggested = QDir(folder).filePath(base + QStringLiteral(".pdf"));
    for (;;) {
        QString chosen = printer.choosePdfFile(parent, suggested);
        if (chosen.isEmpty())
            return QString();
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".pdf");
        if (!QFileInfo::exists(chosen))
            return chosen;
        const QString text = QStringLiteral("The file \"") + QFileInfo(chosen).fileName() +
                             QStringLiteral("\" already exists.\nDo you want to replace it?");
        if (boxes.question(QStringLiteral("Print to file"), text))
            return chosen;
        suggested = chosen;
    }
}

QString PdfWrittenNotice(const QString& pdfFile)
{
    return QStringLiteral("The pages were printed into the PDF file\n") + QDir::toNativeSeparators(pdfFile);
}

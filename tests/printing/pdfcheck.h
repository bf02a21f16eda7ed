#pragma once

// Pages printed into a PDF file as brainloft-make prints them, and what poppler's tools
// (poppler-utils) read back from it.
#include "platform/pdfsheets.h"
#include "printing/pagelayout.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace pdfcheck {

inline QString Tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PrintedPdf {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("pages.pdf"));
    bool written = false;

    explicit PrintedPdf(const QList<printing::PageLayout>& pages)
    {
        PdfSheets pdf(path, DefaultPdfLayout(QPageSize::A4), 1200);
        for (const printing::PageLayout& page : pages)
            pdf.printSheet([&page](QPainter& painter, const QRect& r) { printing::RenderPage(painter, page, r); });
        written = pdf.finish();
    }
    qint64 size() const { return QFileInfo(path).size(); }
    // pdftotext -layout of one page (from 1).
    QString text(int page) const
    {
        const QString n = QString::number(page);
        return Tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n, QStringLiteral("-l"), n, path,
                                                  QStringLiteral("-")});
    }
    // The rows of pdfimages -list below its two heading lines: one a picture; -1 when the tool
    // did not run.
    int pictures() const
    {
        const QString list = Tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
        if (!list.startsWith(QStringLiteral("page")))
            return -1;
        return static_cast<int>(list.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2;
    }
};

} // namespace pdfcheck

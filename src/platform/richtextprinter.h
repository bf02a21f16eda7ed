#pragma once

#include <QString>

#include <utility>

class QTextDocument;

// Prints a rich-text document, portrait, as one job: on the system's default printer, or into
// a PDF file.
class RichTextPrinter {
public:
    virtual ~RichTextPrinter() = default;
    // A system printer is there to print on.
    virtual bool hasPrinter() const = 0;
    // Into pdfFile when one is given, else on the default printer; false when that failed.
    virtual bool print(const QTextDocument& document, const QString& jobName, const QString& pdfFile) = 0;
};

class QtRichTextPrinter : public RichTextPrinter {
public:
    bool hasPrinter() const override;
    bool print(const QTextDocument& document, const QString& jobName, const QString& pdfFile) override;
};

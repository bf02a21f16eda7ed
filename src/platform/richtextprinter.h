#pragma once

#include <QString>

#include <utility>

class QTextDocument;

// Prints a rich-text document, portrait, as one job. Without a printer nothing happens.
class RichTextPrinter {
public:
    virtual ~RichTextPrinter() = default;
    virtual void print(const QTextDocument& document, const QString& jobName) = 0;
};

// The system's default printer, or, when pdfFile is given, that PDF file.
class QtRichTextPrinter : public RichTextPrinter {
public:
    explicit QtRichTextPrinter(QString pdfFile = QString()) : pdfFile_(std::move(pdfFile)) {}
    void print(const QTextDocument& document, const QString& jobName) override;

private:
    QString pdfFile_;
};

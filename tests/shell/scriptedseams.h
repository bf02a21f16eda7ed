#pragma once

#include "platform/colourchooser.h"
#include "platform/linkopener.h"
#include "platform/richtextprinter.h"

#include <QList>
#include <QStringList>
#include <QTextDocument>

#include <optional>

// Answers colour dialogues from a queue (cancel when it is empty) and records what they showed.
class ScriptedColours : public ColourChooser {
public:
    bool choose(QWidget*, const QColor& initial, QColor& chosen) override
    {
        shown << initial;
        if (answers.isEmpty() || !answers.first()) {
            if (!answers.isEmpty())
                answers.removeFirst();
            return false;
        }
        chosen = *answers.takeFirst();
        return true;
    }
    QList<std::optional<QColor>> answers;
    QList<QColor> shown;
};

class RecordingLinks : public LinkOpener {
public:
    void open(const QUrl& url) override { opened << url.toString(); }
    QStringList opened;
};

class RecordingPrinter : public RichTextPrinter {
public:
    bool hasPrinter() const override { return installed; }
    bool print(const QTextDocument& document, const QString& jobName, const QString& pdfFile) override
    {
        jobs << jobName;
        texts << document.toPlainText();
        pdfFiles << pdfFile;
        return true;
    }
    bool installed = true;
    QStringList jobs;
    QStringList texts;
    QStringList pdfFiles;
};

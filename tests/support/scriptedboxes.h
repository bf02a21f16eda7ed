#pragma once

#include "platform/messageboxes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Records every message box and answers questions from a queue (No when the queue is empty).
class ScriptedBoxes : public MessageBoxes {
public:
    struct Box {
        QString kind; // "question", "warning", "error", "message"
        QString title;
        QString text;
    };

    bool question(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    void message(const QString& text) override;

    void answer(std::initializer_list<bool> answers) { answers_.append(QList<bool>(answers)); }
    // Runs inside the next box, before it is answered (for example to check the state then).
    std::function<void(const Box&)> onBox;

    QList<Box> boxes;
    QStringList titles() const;
    QStringList texts() const;
    int unusedAnswers() const { return static_cast<int>(answers_.size()); }

private:
    void record(const QString& kind, const QString& title, const QString& text);
    QList<bool> answers_;
};

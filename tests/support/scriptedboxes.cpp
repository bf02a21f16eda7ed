#include "support/scriptedboxes.h"

void ScriptedBoxes::record(const QString& kind, const QString& title, const QString& text)
{
    boxes.append(Box{kind, title, text});
    if (onBox)
        onBox(boxes.back());
}

bool ScriptedBoxes::question(const QString& title, const QString& text)
{
    record(QStringLiteral("question"), title.isEmpty() ? QStringLiteral("Question") : title, text);
    return answers_.isEmpty() ? false : answers_.takeFirst();
}

void ScriptedBoxes::warning(const QString& title, const QString& text)
{
    record(QStringLiteral("warning"), title.isEmpty() ? QStringLiteral("Warning") : title, text);
}

void ScriptedBoxes::error(const QString& title, const QString& text)
{
    record(QStringLiteral("error"), title.isEmpty() ? QStringLiteral("Error") : title, text);
}

void ScriptedBoxes::message(const QString& text)
{
    record(QStringLiteral("message"), QStringLiteral("Brainloft"), text);
}

QStringList ScriptedBoxes::titles() const
{
    QStringList out;
    for (const Box& b : boxes)
        out << b.title;
    return out;
}

QStringList ScriptedBoxes::texts() const
{
    QStringList out;
    for (const Box& b : boxes)
        out << b.text;
    return out;
}

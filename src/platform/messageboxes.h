#pragma once

#include <QString>

// Every message box of the program goes through this seam, so tests can script the answers.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Question icon, Yes and No; true for Yes. An empty title reads "Question".
    virtual bool question(const QString& title, const QString& text) = 0;
    // Exclamation icon, OK. An empty title reads "Warning".
    virtual void warning(const QString& title, const QString& text) = 0;
    // Stop icon, OK. An empty title reads "Error".
    virtual void error(const QString& title, const QString& text) = 0;
    // Plain box titled with the application title.
    virtual void message(const QString& text) = 0;
};

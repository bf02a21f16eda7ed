#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <functional>

// Runs action on the next modal window that opens (polling until it is there), so a test can
// drive a window that a handler runs with exec().
void WhenModalOpens(std::function<void(QWidget*)> action, int timeoutMs = 5000);

// The same for a modal window whose objectName is name.
void WhenModalNamed(const QString& name, std::function<void(QWidget*)> action, int timeoutMs = 5000);

// Lets pending events run.
void Settle();

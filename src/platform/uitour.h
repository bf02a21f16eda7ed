#pragma once

#include <QString>
#include <QStringList>

// Drives the program's own windows from a script, the way a person would, for checks under a
// compositor that takes no injected input. Only tests start one, through an environment switch.
//
// One step a line; words are split as a shell would ("quoted words" hold blanks); # starts a
// comment. A window is a visible top-level window named by its objectName or its caption; a
// control is a child named by its objectName or, for a button, its text.
//   wait WINDOW            until the window is on screen (exposed); writes "shown WINDOW WxH"
//   gone WINDOW            until no such window is visible
//   click WINDOW CONTROL   presses the button (from the event loop, so a modal window it opens runs)
//   type WINDOW CONTROL TEXT  puts TEXT into an edit
//   close WINDOW           closes it as its close box would (a dialogue is cancelled)
//   pause                  writes "paused" and waits for a line on standard input (not at its end)
//   stamp LABEL            writes "LABEL SECONDS", the monotonic clock
// A step that cannot be done within 20 seconds writes "tour failed: LINE" and ends the program
// with status 3. Everything goes to standard output, a line at a time.
namespace uitour {

// Starts the tour in the script file at path once the event loop runs; false when the file
// cannot be read or a line is not understood (nothing runs then).
bool Start(const QString& path);

// The steps of a script, each split into its words; empty with why set when a line is wrong.
QList<QStringList> Parse(const QString& script, QString* why = nullptr);

} // namespace uitour

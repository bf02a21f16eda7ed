#pragma once

#include "printing/printrun.h"

#include <QString>

class Program;
class QWidget;
class PrintProgressWindow;
class PrintOptionsDialog;

namespace printing {

// The whole print of a type's pages: the options dialogue, the "Page count" question for more
// than one copy, then the run with the progress window. True when printing started.
// firstPage and secondPage are the page windows (the same window for kinds 2 and 4, filled by
// prepare before each page's copies); prepare may be empty when both pages are filled already.
bool PrintPuzzle(Program& program, PrintOptionsDialog& options, PrintProgressWindow& progress, QWidget& firstPage, QWidget& secondPage,
                 int pageKind, const QString& name, const PreparePage& prepare = {});

} // namespace printing

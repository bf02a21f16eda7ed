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

// The same for pages that the type describes from its model: describe gives the puzzle (false)
// or key (true) page as it stands when its copies print.
bool PrintPuzzle(Program& program, PrintOptionsDialog& options, PrintProgressWindow& progress, int pageKind,
                 const QString& name, const DescribePages& describe, const PreparePage& prepare = {});

} // namespace printing

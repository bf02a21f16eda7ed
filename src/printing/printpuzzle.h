#pragma once

#include "printing/printrun.h"

#include <QString>

class Program;
class QWidget;
class PrintProgressWindow;
class PrintOptionsDialog;

namespace printing {

// The whole print of a type's pages: the options dialogue, the "Page count" question for more
// than one copy, then the run with the progress window. True when printing started. describe
// gives the puzzle (false) or key (true) page as it stands when its copies print.
bool PrintPuzzle(Program& program, PrintOptionsDialog& options, PrintProgressWindow& progress, PageSteps steps,
                 const QString& name, const DescribePages& describe);

} // namespace printing

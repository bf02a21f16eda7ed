#pragma once

#include "printing/printrun.h"

#include <QString>

namespace maker {

// A puzzle file's print pages, filled by its type's own routines, for the print verb. A type
// sets FileKind::pages to load a file into these.
struct PrintablePages {
    printing::PageSteps steps = printing::PageSteps::together;
    QString name;                      // the file's name without extension, as a load gives
    printing::DescribePages describe;  // the first (false) or second (true) page as it stands
};

} // namespace maker

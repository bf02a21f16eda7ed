#pragma once

#include "cli/printverbs.h"
#include "platform/printer.h"

#include <QList>

namespace maker {

// Prints several files' pages into one output, in the order given: each file as a run of its
// own prints it (its puzzle's sheets, then its key's), the output finished once at the end.
printing::RunEnd PrintFiles(const QList<PrintablePages>& files, const printing::RunChoices& choices,
                            SheetOutput& output);

} // namespace maker

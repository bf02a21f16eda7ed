#include "printing/printholding.h"

#include "printing/printoptionsdialog.h"
#include "printing/printprogresswindow.h"
#include "printing/printpuzzle.h"
#include "shell/desk.h"

#include <QWidget>

namespace printing {

bool PrintHolding(Program& program, Desk& desk, const QList<QWidget*>& held, PageSteps steps, const QString& name,
                  const DescribePages& describe)
{
    for (QWidget* w : held)
        if (w)
            w->setEnabled(false);
    const bool printed = PrintPuzzle(program, *desk.printOptions, *desk.printProgress, steps, name, describe);
    for (QWidget* w : held)
        if (w)
            w->setEnabled(true);
    return printed;
}

} // namespace printing

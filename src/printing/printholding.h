#pragma once

#include "printing/printrun.h"

#include <QList>
#include <QString>

class Program;
class QWidget;
struct Desk;

namespace printing {

// A play window's print: held (the window, its strip, its key) take no clicks or keys while the
// run lets messages through to animate its progress, and take them again afterwards.
bool PrintHolding(Program& program, Desk& desk, const QList<QWidget*>& held, PageSteps steps, const QString& name,
                  const DescribePages& describe);

} // namespace printing

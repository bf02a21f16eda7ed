#include "shell/playwindow.h"

#include "shell/tfminstructions.h"
#include "shell/windows.h"

namespace playwindow {

void ShowInstructions(Windows& windows)
{
    if (windows.FmInstructions)
        windows.FmInstructions->exec();
}

} // namespace playwindow

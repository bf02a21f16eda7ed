#include "cli/maker.h"
#include "cli/verbs.h"

namespace maker {

Registry AllVerbs()
{
    Registry registry = CoreVerbs();
    for (const PuzzleType& type : MakerTypes())
        if (type.registerDrawingVerbs)
            type.registerDrawingVerbs(registry);
    RegisterPrintVerbs(registry);
    RegisterWorksheetVerbs(registry);
    registry.mergeSameNames();
    return registry;
}

} // namespace maker

int RunMaker(const QStringList& args, const QString& programFolder, QTextStream& out, QTextStream& err)
{
    return RunMaker(maker::AllVerbs(), args, programFolder, out, err);
}

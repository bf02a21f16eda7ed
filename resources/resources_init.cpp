#include "brainloft_resources.h"

#include <QtCore/qglobal.h>

void InitBrainloftResources()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(music);
    Q_INIT_RESOURCE(pages);
}

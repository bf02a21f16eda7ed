#include "brainloft_resources.h"
#include "cli/maker.h"
#include "cli/verbs.h"

#include <QGuiApplication>

// Pages are drawn in a QGuiApplication, on the offscreen platform unless another is named: no
// display is needed, and a metafile's text finds its fonts.
extern "C" __attribute__((visibility("default"))) int brainloft_make_drawing_main(int* argc, char** argv)
{
    return MakerMain(*argc, argv, maker::AllVerbs(), [](int& c, char** v) -> std::unique_ptr<QCoreApplication> {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        auto app = std::make_unique<QGuiApplication>(c, v);
        InitBrainloftResources();
        return app;
    });
}

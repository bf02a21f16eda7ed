#include "cli/maker.h"
#include "cli/verbs.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>

#include <dlfcn.h>
#include <memory>
#include <unistd.h>

namespace {

// Beside this program in a build or an unpacked folder; where it was installed to once installed.
QString drawingModulePath()
{
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString folder = QFileInfo(self.canonicalFilePath()).path();
    const QString installed = QFileInfo(QStringLiteral(BRAINLOFT_INSTALL_BINDIR)).canonicalFilePath();
    if (!installed.isEmpty() && folder == installed)
        return QStringLiteral(BRAINLOFT_DRAWING_MODULE);
    return folder + QStringLiteral("/brainloft-make-drawing.so");
}

int runDrawing(int& argc, char** argv)
{
    const QByteArray path = drawingModulePath().toLocal8Bit();
    void* module = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    auto* entry = module ? reinterpret_cast<DrawingEntry*>(::dlsym(module, BRAINLOFT_DRAWING_ENTRY)) : nullptr;
    if (!entry) {
        const char* why = ::dlerror();
        const QByteArray line = "brainloft-make: cannot load the part that draws: " +
                                QByteArray(why ? why : path.constData()) + "\n";
        (void)!::write(2, line.constData(), static_cast<size_t>(line.size()));
        return makerstatus::kFailed;
    }
    return entry(&argc, argv);
}

} // namespace

// The verbs that draw (print pages, worksheets, pictures) need Qt Gui and everything under it;
// the rest start as a plain Qt Core program. So this program holds only the latter and loads
// the part that draws when a verb needs it.
int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const maker::Registry registry = maker::CoreVerbs();
    if (registry.needsDrawing(args))
        return runDrawing(argc, argv);
    return MakerMain(argc, argv, registry,
                     [](int& c, char** v) { return std::make_unique<QCoreApplication>(c, v); });
}

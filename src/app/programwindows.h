#pragma once

#include "platform/colourchooser.h"
#include "platform/fluidtuneplayer.h"
#include "platform/linkopener.h"
#include "platform/richtextprinter.h"
#include "shell/desk.h"
#include "shell/puzzletypewindows.h"

#include <functional>
#include <memory>
#include <vector>

class PlayWindow;
class Program;

// The program's puzzle types, in the launcher's order.
QList<PuzzleTypeWindows> PuzzleTypes();

// The program's windows: the shared ones of the desk and every type's play window, each made on
// first use and kept for the whole run, and the place each made window takes.
class ProgramWindows {
public:
    // types in the launcher's order.
    explicit ProgramWindows(Program& program, QList<PuzzleTypeWindows> types = PuzzleTypes());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    Desk& desk() { return desk_; }
    // The play window of the type with this id (1 picture ... 4 maze), made now if need be.
    PlayWindow* playWindow(int typeId);
    // The same as its own class.
    template <typename T>
    T& play(int typeId)
    {
        return *static_cast<T*>(playWindow(typeId));
    }
    FluidTunePlayer& tunePlayer() { return tunePlayer_; }

private:
    template <typename T>
    void lazily(OnFirstUse<T>& slot, std::function<std::unique_ptr<T>()> make);
    // A window just made joins the register and takes its stored place.
    void adopt(QWidget* window);

    Program& program_;
    QList<PuzzleTypeWindows> types_;
    // The system dialogues, the browser, the printer and the synthesiser; they outlive the windows.
    QtColourChooser colours_;
    DesktopLinkOpener links_;
    QtRichTextPrinter printer_;
    FluidTunePlayer tunePlayer_;
    Desk desk_;
    std::vector<std::unique_ptr<QWidget>> owned_;
    std::vector<std::unique_ptr<PlayWindow>> playWindows_;
};

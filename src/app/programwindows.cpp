#include "app/programwindows.h"

#include "app/startprogram.h"

#include "controls/placement.h"
#include "cryptogram/typewindows.h"
#include "maze/typewindows.h"
#include "picture/typewindows.h"
#include "printing/printoptionsdialog.h"
#include "printing/printprogresswindow.h"
#include "shell/aboutwindow.h"
#include "shell/instructionswindow.h"
#include "shell/launcherwindow.h"
#include "shell/morewindow.h"
#include "shell/musicplayer.h"
#include "shell/optionswindow.h"
#include "shell/playwindow.h"
#include "shell/program.h"
#include "shell/puzzlepicker.h"
#include "shell/settingsstore.h"
#include "shell/windowpositions.h"
#include "shell/winnerdialog.h"
#include "wordsearch/typewindows.h"

#include <QEvent>
#include <QSettings>
#include <QTimer>

#include <functional>

namespace {

// Runs action once, from the event loop, after the window's first paint.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, std::function<void()> action) : QObject(window), action_(std::move(action))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(action_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> action_;
};

void AfterFirstPaint(QWidget* window, std::function<void()> action)
{
    new FirstPaint(window, std::move(action));
}

} // namespace

template <typename T>
void ProgramWindows::lazily(OnFirstUse<T>& slot, std::function<std::unique_ptr<T>()> make)
{
    slot.setMaker([this, make = std::move(make)]() -> T* {
        std::unique_ptr<T> window = make();
        T* raw = window.get();
        owned_.push_back(std::move(window));
        adopt(raw);
        return raw;
    });
}

QList<PuzzleTypeWindows> PuzzleTypes()
{
    return {picture::Windows(), cryptogram::Windows(), wordsearch::Windows(), maze::Windows()};
}

ProgramWindows::ProgramWindows(Program& program, QList<PuzzleTypeWindows> types)
    : program_(program), types_(std::move(types))
{
    // The folders and settings come before any window: the windows rely on them.
    StartProgram(program);
    Desk& d = desk_;
    Program& p = program;
    d.adopt = [this](QWidget* window) { adopt(window); };
    lazily<LauncherWindow>(d.launcher, [&] { return std::make_unique<LauncherWindow>(p, d); });
    lazily<WinnerDialog>(d.winner, [] { return std::make_unique<WinnerDialog>(); });
    lazily<PuzzlePicker>(d.picker, [&] { return std::make_unique<PuzzlePicker>(p); });
    lazily<PrintProgressWindow>(d.printProgress, [&] { return std::make_unique<PrintProgressWindow>(p); });
    lazily<PrintOptionsDialog>(d.printOptions, [&] { return std::make_unique<PrintOptionsDialog>(p); });
    lazily<AboutWindow>(d.about, [&] { return std::make_unique<AboutWindow>(p, d, links_); });
    lazily<InstructionsWindow>(d.instructions, [&] { return std::make_unique<InstructionsWindow>(p, d, printer_); });
    lazily<OptionsWindow>(d.options, [&] { return std::make_unique<OptionsWindow>(p, d, colours_); });
    lazily<MusicPlayer>(d.player, [&] { return std::make_unique<MusicPlayer>(p, d, tunePlayer_); });
    lazily<MoreWindow>(d.more, [&] { return std::make_unique<MoreWindow>(links_); });
    for (const PuzzleTypeWindows& type : types_) {
        d.types.append(type.type);
        d.playWindows.append([this, id = type.type.id] { return static_cast<QWidget*>(playWindow(id)); });
        if (type.makeOptionsPage)
            d.optionsPages.append({type.type.id, type.makeOptionsPage});
        d.positionedWindows << type.positionedWindows;
    }
    d.positionedWindows << SharedPositionedWindowNames();

    // The music player is the program's music control from its making on, so it is made at once
    // with the launcher; every other window waits until it is needed.
    d.launcher.get();
    d.player.get();

    // With music on, the synthesiser loads in the background from the start: once the launcher
    // has painted, so that the load does not slow the first picture.
    if (program.settings.play)
        AfterFirstPaint(d.launcher, [this] { tunePlayer_.preload(); });
}

PlayWindow* ProgramWindows::playWindow(int typeId)
{
    for (const std::unique_ptr<PlayWindow>& window : playWindows_)
        if (window->property("puzzleType").toInt() == typeId)
            return window.get();
    for (const PuzzleTypeWindows& type : types_)
        if (type.type.id == typeId && type.makePlayWindow) {
            std::unique_ptr<PlayWindow> window = type.makePlayWindow(program_, desk_);
            window->setProperty("puzzleType", typeId);
            PlayWindow* raw = window.get();
            playWindows_.push_back(std::move(window));
            adopt(raw);
            return raw;
        }
    return nullptr;
}

void ProgramWindows::adopt(QWidget* window)
{
    desk_.all.append(window);
    // Each window is designed centred on the screen. Placing it there now gives a window that
    // is never shown the bounds it would open with, and those are what gets stored for it.
    placement::CentreOnScreen(window);
    for (const QString& name : desk_.positionedWindows)
        if (name.compare(window->objectName(), Qt::CaseInsensitive) == 0)
            WatchFrame(window);
    // Made after the stored places were read: it takes its own now.
    LauncherWindow* launcher = desk_.launcher.built();
    if (!launcher || !launcher->positionsLoaded())
        return;
    for (const QString& name : desk_.positionedWindows)
        if (name.compare(window->objectName(), Qt::CaseInsensitive) == 0)
            if (const auto store = OpenSettingsStore(program_.paths.settingsFile))
                LoadWindowPositions(*store, {NamedWindow{name, window}});
}

ProgramWindows::~ProgramWindows()
{
    // Play windows own their keys and makers and refer to the shared windows: they go first,
    // then the shared windows, later ones before earlier ones.
    while (!playWindows_.empty())
        playWindows_.pop_back();
    while (!owned_.empty())
        owned_.pop_back();
}

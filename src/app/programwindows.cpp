#include "app/programwindows.h"

#include "controls/placement.h"
#include "controls/scrollimage.h"
#include "cryptogram/cryptogrammaker.h"
#include "cryptogram/cryptogramwindow.h"
#include "maze/mazewindow.h"
#include "maze/mazekeywindow.h"
#include "picture/picturepreview.h"
#include "picture/picturewindow.h"
#include "picture/picturemaker.h"
#include "shell/cursortable.h"
#include "shell/program.h"
#include "shell/settingsstore.h"
#include "shell/windowpositions.h"
#include "shell/aboutwindow.h"
#include "shell/puzzlepicker.h"
#include "shell/instructionswindow.h"
#include "shell/morewindow.h"
#include "shell/optionswindow.h"
#include "shell/musicplayer.h"
#include "shell/launcherwindow.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/builderrordialog.h"
#include "wordsearch/wordsearchmaker.h"
#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/noticedialog.h"
#include "shell/winnerdialog.h"
#include "printing/printprogresswindow.h"
#include "printing/printoptionsdialog.h"

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
void ProgramWindows::lazily(OnFirstUse<T>& slot, const QString& name, std::function<std::unique_ptr<T>()> make,
                            std::function<void(T&)> made)
{
    slot.setMaker([this, make = std::move(make), made = std::move(made)]() -> T* {
        std::unique_ptr<T> window = make();
        T* raw = window.get();
        windows_.all.append(raw);
        owned_.push_back(std::move(window));
        placeNewWindow(raw);
        if (made)
            made(*raw);
        return raw;
    });
    windows_.makers.insert(name, [&slot]() -> QWidget* { return slot.get(); });
}

ProgramWindows::ProgramWindows(Program& program) : program_(program)
{
    Windows& w = windows_;
    Program& p = program;
    lazily<LauncherWindow>(w.fmpuzzletype, "fmpuzzletype", [&] { return std::make_unique<LauncherWindow>(p, w); });
    lazily<WordSearchWindow>(
        w.fmmain, "fmmain", [&] { return std::make_unique<WordSearchWindow>(p, w, states_.wordSearch); },
        [this](WordSearchWindow& wordSearch) {
            QObject::connect(&wordSearch, &WordSearchWindow::puzzleShown, &wordSearch, [this] {
                if (OptionsWindow* options = windows_.fmoptions.built())
                    options->RefreshTuneList();
            });
        });
    lazily<WordSearchMaker>(w.fmGenerator, "fmGenerator",
                            [&] { return std::make_unique<WordSearchMaker>(p, w, states_.wordSearch); });
    lazily<WinnerDialog>(w.FmWinner, "FmWinner", [] { return std::make_unique<WinnerDialog>(); });
    lazily<PuzzlePicker>(w.fmfiles, "fmfiles", [&] { return std::make_unique<PuzzlePicker>(p); });
    lazily<PrintProgressWindow>(w.fmnowprint, "fmnowprint", [&] { return std::make_unique<PrintProgressWindow>(p); });
    lazily<PrintOptionsDialog>(w.fmprint, "fmprint", [&] { return std::make_unique<PrintOptionsDialog>(p); });
    lazily<BuildErrorDialog>(w.fmbuilderror, "fmbuilderror", [] { return std::make_unique<BuildErrorDialog>(); });
    lazily<AboutWindow>(w.AboutBox, "AboutBox", [&] { return std::make_unique<AboutWindow>(p, w, links_); });
    lazily<InstructionsWindow>(w.FmInstructions, "FmInstructions",
                               [&] { return std::make_unique<InstructionsWindow>(p, w, printer_); });
    lazily<NoticeDialog>(w.fmnotice, "fmnotice", [] { return std::make_unique<NoticeDialog>(); });
    lazily<OptionsWindow>(
        w.fmoptions, "fmoptions", [&] { return std::make_unique<OptionsWindow>(p, w, colours_); },
        [this](OptionsWindow& options) {
            // OK: highlights already drawn in the word search, its key and the printed key page
            // take the new colour; a word search not made yet has none.
            QObject::connect(&options, &OptionsWindow::highlightsRecoloured, &options, [this] {
                if (WordSearchWindow* wordSearch = windows_.fmmain.built())
                    wordSearch->RecolourHighlights();
            });
        });
    lazily<CryptogramWindow>(w.fmcrypt, "fmcrypt",
                             [&] { return std::make_unique<CryptogramWindow>(p, w, states_.cryptogram); });
    lazily<CryptogramMaker>(w.fmcmaker, "fmcmaker",
                            [&] { return std::make_unique<CryptogramMaker>(p, w, states_.cryptogram); });
    lazily<MusicPlayer>(w.fmplayer, "fmplayer", [&] { return std::make_unique<MusicPlayer>(p, w, tunePlayer_); });
    lazily<MazeWindow>(w.fmmaze, "fmmaze", [&] { return std::make_unique<MazeWindow>(p, w, states_.maze); });
    lazily<PicturePreview>(w.fmpcheat, "fmpcheat", [&] {
        auto preview = std::make_unique<PicturePreview>();
        // The preview's control takes its grab and move cursors from the program's table.
        if (CursorTable* table = p.cursors)
            preview->scrollImage()->setCursorSource([table](int index) { return table->cursor(index); });
        return preview;
    });
    lazily<PictureWindow>(w.fmpclick, "fmpclick",
                          [&] { return std::make_unique<PictureWindow>(p, w, states_.picture); });
    lazily<MazeKeyWindow>(w.fmmzkey, "fmmzkey", [&] { return std::make_unique<MazeKeyWindow>(p, w); });
    lazily<WordSearchKeyWindow>(w.fmanswers, "fmanswers",
                                [&] { return std::make_unique<WordSearchKeyWindow>(p, w, states_.wordSearch); });
    lazily<PictureMaker>(w.fmpmaker, "fmpmaker", [&] { return std::make_unique<PictureMaker>(p, w, states_.picture); });
    lazily<MoreWindow>(w.fmMore, "fmMore", [&] { return std::make_unique<MoreWindow>(links_); });

    // The launcher comes first: its create handler prepares the folders and settings that the
    // other windows rely on. The music player is the program's music control from its making
    // on, so it is made at once; every other window waits until it is needed.
    w.fmpuzzletype.get();
    w.fmplayer.get();

    // With music on, the synthesiser loads in the background from the start: once the launcher
    // has painted, so that the load does not slow the first picture.
    if (program.settings.play)
        AfterFirstPaint(w.fmpuzzletype, [this] { tunePlayer_.preload(); });
}

void ProgramWindows::placeNewWindow(QWidget* window)
{
    // Each window is designed centred on the screen. Placing it there now gives a window that
    // is never shown the bounds it would open with, and those are what gets stored for it.
    placement::CentreOnScreen(window);
    // Made after the stored places were read: it takes its own now.
    LauncherWindow* launcher = windows_.fmpuzzletype.built();
    if (!launcher || !launcher->positionsLoaded())
        return;
    for (const QString& name : PositionedWindowNames())
        if (name.compare(window->objectName(), Qt::CaseInsensitive) == 0)
            if (const auto store = OpenSettingsStore(program_.paths.settingsFile))
                LoadWindowPositions(*store, {NamedWindow{name, window}});
}

ProgramWindows::~ProgramWindows()
{
    // Later windows may refer to earlier ones while they go; destroy in reverse order.
    while (!owned_.empty())
        owned_.pop_back();
}

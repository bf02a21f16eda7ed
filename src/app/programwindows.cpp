#include "app/programwindows.h"

#include "controls/placement.h"
#include "controls/scrollimage.h"
#include "cryptogram/printpage.h"
#include "cryptogram/cryptogrammaker.h"
#include "cryptogram/cryptogramwindow.h"
#include "maze/mazewindow.h"
#include "maze/printpage.h"
#include "maze/mazekeywindow.h"
#include "picture/picturepreview.h"
#include "picture/picturewindow.h"
#include "picture/picturemaker.h"
#include "shell/cursortable.h"
#include "shell/program.h"
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

template <typename T, typename... Args>
T* ProgramWindows::create(Args&&... args)
{
    auto window = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = window.get();
    windows_.all.append(raw);
    owned_.push_back(std::move(window));
    return raw;
}

ProgramWindows::ProgramWindows(Program& program)
{
    // The launcher comes first: its create handler prepares the folders and settings that the
    // other windows rely on. Windows not built yet keep their place in the order as null.
    windows_.fmpuzzletype = create<LauncherWindow>(program, windows_);
    windows_.fmmain = create<WordSearchWindow>(program, windows_, states_.wordSearch);
    windows_.fmGenerator = create<WordSearchMaker>(program, windows_, states_.wordSearch);
    windows_.FmWinner = create<WinnerDialog>();
    windows_.fmfiles = create<PuzzlePicker>(program);
    windows_.fmnowprint = create<PrintProgressWindow>(program);
    windows_.fmprint = create<PrintOptionsDialog>(program);
    windows_.fmbuilderror = create<BuildErrorDialog>();
    windows_.AboutBox = create<AboutWindow>(program, windows_, links_);
    windows_.FmInstructions = create<InstructionsWindow>(program, windows_, printer_);
    windows_.fmnotice = create<NoticeDialog>();
    windows_.fmoptions = create<OptionsWindow>(program, windows_, colours_);
    windows_.fmcrypt = create<CryptogramWindow>(program, windows_, states_.cryptogram);
    windows_.fmcmaker = create<CryptogramMaker>(program, windows_, states_.cryptogram);
    windows_.fmplayer = create<MusicPlayer>(program, windows_, tunePlayer_);
    windows_.fmmaze = create<MazeWindow>(program, windows_, states_.maze);
    windows_.fmpcheat = create<PicturePreview>();
    windows_.fmmazeprint = create<MazePrintPage>();
    windows_.fmcgpuzzle = create<CryptogramPrintPage>();
    windows_.fmpclick = create<PictureWindow>(program, windows_, states_.picture);
    windows_.fmmzkey = create<MazeKeyWindow>(program, windows_);
    windows_.fmanswers = create<WordSearchKeyWindow>(program, windows_, states_.wordSearch);
    windows_.fmpmaker = create<PictureMaker>(program, windows_, states_.picture);
    windows_.fmMore = create<MoreWindow>(links_);
    wireWindows(program);

    // The preview's control takes its grab and move cursors from the program's table.
    if (CursorTable* table = program.cursors)
        windows_.fmpcheat->scrollImage()->setCursorSource([table](int index) { return table->cursor(index); });
    // With music on, the synthesiser loads in the background from the start: once the launcher
    // has painted, so that the load does not slow the first picture.
    if (program.settings.play)
        AfterFirstPaint(windows_.fmpuzzletype, [this] { tunePlayer_.preload(); });

    // Each window is designed centred on the screen. Placing it there now gives a window that
    // is never shown the bounds it would open with, and those are what gets stored for it.
    for (QWidget* w : windows_.all)
        placement::CentreOnScreen(w);
}

void ProgramWindows::wireWindows(Program&)
{
    // Options OK: highlights already drawn in the word search, its key and the printed key page
    // take the new colour.
    QObject::connect(windows_.fmoptions, &OptionsWindow::highlightsRecoloured, windows_.fmmain,
                     [this] { windows_.fmmain->RecolourHighlights(); });
    QObject::connect(windows_.fmmain, &WordSearchWindow::puzzleShown, windows_.fmoptions, &OptionsWindow::RefreshTuneList);
}

ProgramWindows::~ProgramWindows()
{
    // Later windows may refer to earlier ones while they go; destroy in reverse order.
    while (!owned_.empty())
        owned_.pop_back();
}

#include "app/programwindows.h"

#include "controls/placement.h"
#include "controls/tokscrollimage.h"
#include "cryptogram/tfmcgpuzzle.h"
#include "cryptogram/tfmcmaker.h"
#include "cryptogram/tfmcrypt.h"
#include "maze/tfmmaze.h"
#include "maze/tfmmazeprint.h"
#include "maze/tfmmzkey.h"
#include "picture/tfmpcheat.h"
#include "picture/tfmpclick.h"
#include "picture/tfmpmaker.h"
#include "shell/cursortable.h"
#include "shell/program.h"
#include "shell/taboutbox.h"
#include "shell/tfmfiles.h"
#include "shell/tfminstructions.h"
#include "shell/tfmmore.h"
#include "shell/tfmoptions.h"
#include "shell/tfmplayer.h"
#include "shell/tfmpuzzletype.h"
#include "wordsearch/tfmanswers.h"
#include "wordsearch/tfmbuilderror.h"
#include "wordsearch/tfmgenerator.h"
#include "wordsearch/tfmmain.h"
#include "wordsearch/tfmnotice.h"
#include "shell/tfmwinner.h"
#include "printing/tfmnowprint.h"
#include "printing/tfmprint.h"
#include "wordsearch/tfmkey.h"
#include "wordsearch/tfmpage.h"

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
    states_.wordSearch.currentFolder = program.paths.programFolder;
    // The launcher comes first: its create handler prepares the folders and settings that the
    // other windows rely on. Windows not built yet keep their place in the order as null.
    windows_.fmpuzzletype = create<Tfmpuzzletype>(program, windows_);
    windows_.fmmain = create<Tfmmain>(program, windows_, states_.wordSearch);
    windows_.fmGenerator = create<TfmGenerator>(program, windows_, states_.wordSearch);
    windows_.FmWinner = create<TFmWinner>();
    windows_.fmfiles = create<Tfmfiles>(program);
    windows_.fmnowprint = create<Tfmnowprint>(program);
    windows_.fmprint = create<Tfmprint>(program);
    windows_.fmpage = create<Tfmpage>();
    windows_.FmKey = create<TFmKey>();
    windows_.fmbuilderror = create<Tfmbuilderror>();
    windows_.AboutBox = create<TAboutBox>(program, windows_, links_);
    windows_.FmInstructions = create<TFmInstructions>(program, windows_, printer_);
    windows_.fmnotice = create<Tfmnotice>();
    windows_.fmoptions = create<Tfmoptions>(program, windows_, colours_);
    windows_.fmcrypt = create<Tfmcrypt>(program, windows_, states_.cryptogram);
    windows_.fmcmaker = create<Tfmcmaker>(program, windows_, states_.cryptogram);
    windows_.fmplayer = create<Tfmplayer>(program, windows_, tunePlayer_);
    windows_.fmmaze = create<Tfmmaze>(program, windows_, states_.maze);
    windows_.fmpcheat = create<Tfmpcheat>();
    windows_.fmmazeprint = create<Tfmmazeprint>();
    windows_.fmcgpuzzle = create<Tfmcgpuzzle>();
    windows_.fmpclick = create<Tfmpclick>(program, windows_, states_.picture);
    windows_.fmmzkey = create<Tfmmzkey>(program, windows_);
    windows_.fmanswers = create<Tfmanswers>(program, windows_, states_.wordSearch);
    windows_.fmpmaker = create<Tfmpmaker>(program, windows_, states_.picture);
    windows_.fmMore = create<TfmMore>(links_);
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
    QObject::connect(windows_.fmoptions, &Tfmoptions::highlightsRecoloured, windows_.fmmain,
                     [this](const QImage& colourPicture) {
                         windows_.fmmain->RecolourHighlights(colourPicture);
                         windows_.fmanswers->PaintKey(windows_.fmmain->letterCopy());
                         windows_.fmmain->PreparePrintPages();
                     });
    QObject::connect(windows_.fmmain, &Tfmmain::puzzleShown, windows_.fmoptions, &Tfmoptions::RefreshTuneList);
}

ProgramWindows::~ProgramWindows()
{
    // Later windows may refer to earlier ones while they go; destroy in reverse order.
    while (!owned_.empty())
        owned_.pop_back();
}

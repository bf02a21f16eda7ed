#include "app/programwindows.h"

#include "controls/placement.h"
#include "cryptogram/tfmcmaker.h"
#include "cryptogram/tfmcrypt.h"
#include "maze/tfmmaze.h"
#include "maze/tfmmzkey.h"
#include "shell/program.h"
#include "shell/tfmfiles.h"
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
    // AboutBox, FmInstructions
    windows_.fmnotice = create<Tfmnotice>();
    // fmoptions
    windows_.fmcrypt = create<Tfmcrypt>(program, windows_, states_.cryptogram);
    windows_.fmcmaker = create<Tfmcmaker>(program, windows_, states_.cryptogram);
    // fmplayer
    windows_.fmmaze = create<Tfmmaze>(program, windows_, states_.maze);
    // fmpcheat, fmmazeprint, fmcgpuzzle, fmpclick
    windows_.fmmzkey = create<Tfmmzkey>(program, windows_);
    windows_.fmanswers = create<Tfmanswers>(program, windows_, states_.wordSearch);
    // fmpmaker, fmMore

    // Each window is designed centred on the screen. Placing it there now gives a window that
    // is never shown the bounds it would open with, and those are what gets stored for it.
    for (QWidget* w : windows_.all)
        placement::CentreOnScreen(w);
}

ProgramWindows::~ProgramWindows()
{
    // Later windows may refer to earlier ones while they go; destroy in reverse order.
    while (!owned_.empty())
        owned_.pop_back();
}

#pragma once

#include <QList>
#include <QWidget>

class LauncherWindow;
class WordSearchWindow;
class WordSearchMaker;
class WinnerDialog;
class PuzzlePicker;
class PrintProgressWindow;
class PrintOptionsDialog;
class BuildErrorDialog;
class AboutWindow;
class InstructionsWindow;
class NoticeDialog;
class OptionsWindow;
class CryptogramWindow;
class CryptogramMaker;
class MusicPlayer;
class MazeWindow;
class PicturePreview;
class MazePrintPage;
class CryptogramPrintPage;
class PictureWindow;
class MazeKeyWindow;
class WordSearchKeyWindow;
class PictureMaker;
class MoreWindow;

// Every window of the program, created once at start in a fixed order and kept for the whole
// run. Windows reach each other through this registry; a window that is not built is null.
// The slots name window classes without including them: a window that must act on another
// includes that window's header itself, so the shell depends on no puzzle type.
struct Windows {
    LauncherWindow* fmpuzzletype = nullptr;
    WordSearchWindow* fmmain = nullptr;
    WordSearchMaker* fmGenerator = nullptr;
    WinnerDialog* FmWinner = nullptr;
    PuzzlePicker* fmfiles = nullptr;
    PrintProgressWindow* fmnowprint = nullptr;
    PrintOptionsDialog* fmprint = nullptr;
    BuildErrorDialog* fmbuilderror = nullptr;
    AboutWindow* AboutBox = nullptr;
    InstructionsWindow* FmInstructions = nullptr;
    NoticeDialog* fmnotice = nullptr;
    OptionsWindow* fmoptions = nullptr;
    CryptogramWindow* fmcrypt = nullptr;
    CryptogramMaker* fmcmaker = nullptr;
    MusicPlayer* fmplayer = nullptr;
    MazeWindow* fmmaze = nullptr;
    PicturePreview* fmpcheat = nullptr;
    MazePrintPage* fmmazeprint = nullptr;
    CryptogramPrintPage* fmcgpuzzle = nullptr;
    PictureWindow* fmpclick = nullptr;
    MazeKeyWindow* fmmzkey = nullptr;
    WordSearchKeyWindow* fmanswers = nullptr;
    PictureMaker* fmpmaker = nullptr;
    MoreWindow* fmMore = nullptr;

    // In creation order.
    QList<QWidget*> all;

    // The window whose objectName is name, compared without regard to case; null when none.
    QWidget* byName(const QString& name) const
    {
        for (QWidget* w : all)
            if (w && w->objectName().compare(name, Qt::CaseInsensitive) == 0)
                return w;
        return nullptr;
    }
};

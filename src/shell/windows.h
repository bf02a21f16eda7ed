#pragma once

#include <QList>
#include <QWidget>

class Tfmpuzzletype;
class Tfmmain;
class TfmGenerator;
class TFmWinner;
class Tfmfiles;
class Tfmnowprint;
class Tfmprint;
class Tfmpage;
class TFmKey;
class Tfmbuilderror;
class TAboutBox;
class TFmInstructions;
class Tfmnotice;
class Tfmoptions;
class Tfmcrypt;
class Tfmcmaker;
class Tfmplayer;
class Tfmmaze;
class Tfmpcheat;
class Tfmmazeprint;
class Tfmcgpuzzle;
class Tfmpclick;
class Tfmmzkey;
class Tfmanswers;
class Tfmpmaker;
class TfmMore;

// Every window of the program, created once at start in a fixed order and kept for the whole
// run. Windows reach each other through this registry; a window that is not built is null.
// The slots name window classes without including them: a window that must act on another
// includes that window's header itself, so the shell depends on no puzzle type.
struct Windows {
    Tfmpuzzletype* fmpuzzletype = nullptr;
    Tfmmain* fmmain = nullptr;
    TfmGenerator* fmGenerator = nullptr;
    TFmWinner* FmWinner = nullptr;
    Tfmfiles* fmfiles = nullptr;
    Tfmnowprint* fmnowprint = nullptr;
    Tfmprint* fmprint = nullptr;
    Tfmpage* fmpage = nullptr;
    TFmKey* FmKey = nullptr;
    Tfmbuilderror* fmbuilderror = nullptr;
    TAboutBox* AboutBox = nullptr;
    TFmInstructions* FmInstructions = nullptr;
    Tfmnotice* fmnotice = nullptr;
    Tfmoptions* fmoptions = nullptr;
    Tfmcrypt* fmcrypt = nullptr;
    Tfmcmaker* fmcmaker = nullptr;
    Tfmplayer* fmplayer = nullptr;
    Tfmmaze* fmmaze = nullptr;
    Tfmpcheat* fmpcheat = nullptr;
    Tfmmazeprint* fmmazeprint = nullptr;
    Tfmcgpuzzle* fmcgpuzzle = nullptr;
    Tfmpclick* fmpclick = nullptr;
    Tfmmzkey* fmmzkey = nullptr;
    Tfmanswers* fmanswers = nullptr;
    Tfmpmaker* fmpmaker = nullptr;
    TfmMore* fmMore = nullptr;

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

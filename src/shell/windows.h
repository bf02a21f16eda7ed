#pragma once

#include <QList>
#include <QWidget>

class Tfmpuzzletype;
class Tfmmain;
class TfmGenerator;
class TFmWinner;
class Tfmfiles;
class Tfmbuilderror;
class Tfmnotice;
class Tfmanswers;

// Every window of the program, created once at start in a fixed order and kept for the whole
// run. Windows reach each other through this registry; a window that is not built (yet) is null.
struct Windows {
    Tfmpuzzletype* fmpuzzletype = nullptr;
    Tfmmain* fmmain = nullptr;
    TfmGenerator* fmGenerator = nullptr;
    TFmWinner* FmWinner = nullptr;
    Tfmfiles* fmfiles = nullptr;
    QWidget* fmnowprint = nullptr;
    QWidget* fmprint = nullptr;
    QWidget* fmpage = nullptr;
    QWidget* FmKey = nullptr;
    Tfmbuilderror* fmbuilderror = nullptr;
    QWidget* AboutBox = nullptr;
    QWidget* FmInstructions = nullptr;
    Tfmnotice* fmnotice = nullptr;
    QWidget* fmoptions = nullptr;
    QWidget* fmcrypt = nullptr;
    QWidget* fmcmaker = nullptr;
    QWidget* fmplayer = nullptr;
    QWidget* fmmaze = nullptr;
    QWidget* fmpcheat = nullptr;
    QWidget* fmmazeprint = nullptr;
    QWidget* fmcgpuzzle = nullptr;
    QWidget* fmpclick = nullptr;
    QWidget* fmmzkey = nullptr;
    Tfmanswers* fmanswers = nullptr;
    QWidget* fmpmaker = nullptr;
    QWidget* fmMore = nullptr;

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

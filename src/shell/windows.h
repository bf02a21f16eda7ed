#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

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
class PictureWindow;
class MazeKeyWindow;
class WordSearchKeyWindow;
class PictureMaker;
class MoreWindow;

// A window that is made the first time it is asked for and then kept for the whole run. It
// reads like a pointer: asking for it (->, *, or as a pointer) makes it when needed.
template <typename T>
class OnFirstUse {
public:
    using Maker = std::function<T*()>;

    // An existing window (tests hand in their own).
    OnFirstUse& operator=(T* window)
    {
        window_ = window;
        return *this;
    }
    void setMaker(Maker maker) { maker_ = std::move(maker); }

    T* get() const
    {
        if (!window_ && maker_)
            window_ = maker_();
        return window_;
    }
    // The window if it has been made; never makes it.
    T* built() const { return window_; }

    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    operator T*() const { return get(); }

private:
    mutable T* window_ = nullptr;
    Maker maker_;
};

// The program's windows. Each is made on first use; the slots name window classes without
// including them, so the shell depends on no puzzle type.
struct Windows {
    OnFirstUse<LauncherWindow> fmpuzzletype;
    OnFirstUse<WordSearchWindow> fmmain;
    OnFirstUse<WordSearchMaker> fmGenerator;
    OnFirstUse<WinnerDialog> FmWinner;
    OnFirstUse<PuzzlePicker> fmfiles;
    OnFirstUse<PrintProgressWindow> fmnowprint;
    OnFirstUse<PrintOptionsDialog> fmprint;
    OnFirstUse<BuildErrorDialog> fmbuilderror;
    OnFirstUse<AboutWindow> AboutBox;
    OnFirstUse<InstructionsWindow> FmInstructions;
    OnFirstUse<NoticeDialog> fmnotice;
    OnFirstUse<OptionsWindow> fmoptions;
    OnFirstUse<CryptogramWindow> fmcrypt;
    OnFirstUse<CryptogramMaker> fmcmaker;
    OnFirstUse<MusicPlayer> fmplayer;
    OnFirstUse<MazeWindow> fmmaze;
    OnFirstUse<PicturePreview> fmpcheat;
    OnFirstUse<PictureWindow> fmpclick;
    OnFirstUse<MazeKeyWindow> fmmzkey;
    OnFirstUse<WordSearchKeyWindow> fmanswers;
    OnFirstUse<PictureMaker> fmpmaker;
    OnFirstUse<MoreWindow> fmMore;

    // The windows made so far, in the order they were made.
    QList<QWidget*> all;
    // How to make a window by its name, for those asked for by name.
    QHash<QString, std::function<QWidget*()>> makers;

    // The window whose objectName is name, compared without regard to case, if it has been
    // made; null otherwise.
    QWidget* byName(const QString& name) const
    {
        for (QWidget* w : all)
            if (w && w->objectName().compare(name, Qt::CaseInsensitive) == 0)
                return w;
        return nullptr;
    }

    // The same, made now if it was not yet.
    QWidget* make(const QString& name) const
    {
        if (QWidget* w = byName(name))
            return w;
        for (auto it = makers.begin(); it != makers.end(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return it.value()();
        return nullptr;
    }
};

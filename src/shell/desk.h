#pragma once

#include "shell/puzzletype.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

class AboutWindow;
class ColourChooser;
class OptionsPage;
class Program;
class InstructionsWindow;
class LauncherWindow;
class MoreWindow;
class MusicPlayer;
class OptionsWindow;
class PrintOptionsDialog;
class PrintProgressWindow;
class PuzzlePicker;
class WinnerDialog;

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

struct Desk;

// A window that another window owns and makes the first time it is needed (a play window's key,
// maker or preview). Once made it is handed to the desk, which keeps its place.
template <typename T>
class OwnedWindow : public OnFirstUse<T> {
public:
    // make returns a new window; called where T is a complete type.
    template <typename Make>
    void setMaker(const Desk& desk, Make make);

private:
    std::unique_ptr<T> owner_;
};

// The windows every puzzle type shares, each made on first use, and the register of every window
// made so far. The slots name window classes without including them: the shell depends on no
// puzzle type, and on printing only by name.
struct Desk {
    OnFirstUse<LauncherWindow> launcher;          // fmpuzzletype
    OnFirstUse<PuzzlePicker> picker;              // fmfiles
    OnFirstUse<WinnerDialog> winner;              // FmWinner
    OnFirstUse<OptionsWindow> options;            // fmoptions
    OnFirstUse<InstructionsWindow> instructions;  // FmInstructions
    OnFirstUse<AboutWindow> about;                // AboutBox
    OnFirstUse<MoreWindow> more;                  // fmMore
    OnFirstUse<MusicPlayer> player;               // fmplayer
    OnFirstUse<PrintOptionsDialog> printOptions;  // fmprint
    OnFirstUse<PrintProgressWindow> printProgress; // fmnowprint

    // The puzzle types in the launcher's order, and the play window of each, made on first use.
    QList<PuzzleType> types;
    QList<std::function<QWidget*()>> playWindows;
    // Each type's page of the options window, by the type's id; types without options have none.
    QList<std::pair<int, std::function<OptionsPage*(Program&, ColourChooser&)>>> optionsPages;

    // The stored names of every window whose place persists: the types' and the shared ones.
    QStringList positionedWindows;

    // The windows made so far, in the order they were made.
    QList<QWidget*> all;
    // A window a puzzle type makes for itself (its key, its maker, its preview) is handed in
    // here once made: it joins the register and takes its stored place.
    std::function<void(QWidget*)> adopt;

    // Registers a window made outside the desk's own slots.
    void made(QWidget* window) const
    {
        if (adopt)
            adopt(window);
    }

    // The window whose objectName is name, compared without regard to case, if it has been
    // made; null otherwise.
    QWidget* byName(const QString& name) const
    {
        for (QWidget* w : all)
            if (w && w->objectName().compare(name, Qt::CaseInsensitive) == 0)
                return w;
        return nullptr;
    }

    // The play window of the launcher's item index (0 to 3), made now if need be; null for
    // an item without one.
    QWidget* playWindow(int index) const
    {
        return index >= 0 && index < playWindows.size() && playWindows[index] ? playWindows[index]() : nullptr;
    }
};

template <typename T>
template <typename Make>
void OwnedWindow<T>::setMaker(const Desk& desk, Make make)
{
    OnFirstUse<T>::setMaker([this, &desk, make = std::move(make)]() -> T* {
        owner_.reset(make());
        desk.made(owner_.get());
        return owner_.get();
    });
}

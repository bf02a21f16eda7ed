#pragma once

#include <QCursor>
#include <QString>
#include <QStringList>
#include <array>

// The program's named cursors at indices 1 to 47. Windows ask for a cursor by
// index; a window may also put its own cursor into an index.
class CursorTable {
public:
    static constexpr int Count = 47;

    // Index i is names()[i - 1].
    static const QStringList& names();
    // The standard shape used when an index has no picture; arrow outside 1..47.
    static Qt::CursorShape fallbackShape(int index);

    // Starts with the fallback shapes, so the table is usable before load().
    CursorTable();

    // Takes "<folder>/<name>.png" for every index that has one (hot spot in the
    // picture's "hotspot" text as "x,y", in its pixels); the others keep their fallback
    // shape. On a screen of more than one pixel a unit it takes "<name>@2x.png", drawn
    // twice as large, where there is one, sized to the screen's pixels.
    // Needs a QGuiApplication for pictures; without one only shapes are used.
    void load(const QString& folder = QStringLiteral(":/cursors"));
    // The same, done when a cursor is first asked for or set: the start need not wait for it.
    void loadOnFirstUse(const QString& folder = QStringLiteral(":/cursors")) { pendingFolder_ = folder; }

    // The arrow outside 1..47.
    QCursor cursor(int index) const;
    // 1..47, or 0 for an unknown name; names compare without regard to case.
    int indexOf(const QString& name) const;
    // Ignored outside 1..47.
    void set(int index, const QCursor& cursor);

private:
    void loadPending() const;

    mutable std::array<QCursor, Count> cursors_;
    mutable QString pendingFolder_;
};

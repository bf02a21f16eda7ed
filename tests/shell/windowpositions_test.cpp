#include "shell/settingsstore.h"
#include "shell/windowpositions.h"
#include "support/testprogram.h"

#include <QSettings>
#include <QWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failures for rectangles.
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << "x" << r.height() << ")";
}

namespace {

class WindowPositions : public ::testing::Test {
protected:
    QString key(const QString& window, const char* value) const { return ProductKey(window, QString::fromLatin1(value)); }
    std::unique_ptr<QSettings> store() const { return OpenSettingsStore(t.program->paths.settingsFile); }
    int stored(const QString& window, const char* value) const { return ReadRegistryInteger(*store(), key(window, value), -1000); }
    bool has(const QString& window, const char* value) const { return store()->contains(key(window, value)); }

    TestProgram t;
};

std::unique_ptr<QWidget> windowAt(const QRect& geometry)
{
    auto w = std::make_unique<QWidget>();
    w->setGeometry(geometry);
    return w;
}

} // namespace

TEST_F(WindowPositions, BoundsRoundTrip)
{
    auto main = windowAt(QRect(120, 80, 640, 480));
    auto crypt = windowAt(QRect(-30, 5, 300, 200));
    {
        auto s = store();
        SaveWindowPositions(*s, {{"fmmain", main.get()}, {"fmcrypt", crypt.get()}, {"fmmaze", nullptr}});
    }
    EXPECT_EQ(stored("fmmain", "left"), 120);
    EXPECT_EQ(stored("fmmain", "top"), 80);
    EXPECT_EQ(stored("fmmain", "width"), 640);
    EXPECT_EQ(stored("fmmain", "height"), 480);
    EXPECT_FALSE(has("fmmain", "max")) << "only the instructions window keeps max";
    EXPECT_FALSE(has("fmmaze", "left")) << "a window not built is skipped";

    main->setGeometry(0, 0, 10, 10);
    crypt->setGeometry(1, 1, 20, 20);
    auto s = store();
    LoadWindowPositions(*s, {{"fmmain", main.get()}, {"fmcrypt", crypt.get()}, {"fmmaze", nullptr}});
    EXPECT_EQ(main->frameGeometry(), QRect(120, 80, 640, 480));
    EXPECT_EQ(crypt->frameGeometry(), QRect(-30, 5, 300, 200));
    EXPECT_EQ(main->property("autoCentre"), QVariant(false));
}

TEST_F(WindowPositions, AFrameNotKnownYetIsPlacedByItsStoredInset)
{
    // Stored by a window manager's frame: the corner at (100, 50), the inside 1 right, 20 down.
    {
        auto s = store();
        for (const auto& [value, number] : {std::pair{"left", 100}, {"top", 50}, {"insetleft", 1}, {"insettop", 20}})
            WriteRegistryInteger(*s, key("fmmain", value), number);
    }
    auto w = windowAt(QRect(0, 0, 200, 100));
    {
        auto s = store();
        LoadWindowPositions(*s, {{"fmmain", w.get()}});
    }
    EXPECT_EQ(w->geometry().topLeft(), QPoint(101, 70)) << "the inside goes where it sat";
    // Saved again before any frame is known: the same corner and inset, not the inside's corner.
    {
        auto s = store();
        SaveWindowPositions(*s, {{"fmmain", w.get()}});
    }
    EXPECT_EQ(stored("fmmain", "left"), 100);
    EXPECT_EQ(stored("fmmain", "top"), 50);
    EXPECT_EQ(stored("fmmain", "insettop"), 20);
}

TEST_F(WindowPositions, APlaceOffTheScreenComesBackInside)
{
    {
        auto s = store();
        WriteRegistryInteger(*s, key("fmmain", "left"), 5000);
        WriteRegistryInteger(*s, key("fmmain", "top"), 4000);
    }
    auto w = windowAt(QRect(0, 0, 200, 100));
    {
        auto s = store();
        LoadWindowPositions(*s, {{"fmmain", w.get()}});
    }
    w->show();
    const auto inside = [&] { return w->screen()->availableGeometry().contains(w->frameGeometry()); };
    for (int i = 0; i < 100 && !inside(); ++i)
        QTest::qWait(20);
    EXPECT_TRUE(inside()) << w->frameGeometry().x() << "," << w->frameGeometry().y();
}

TEST_F(WindowPositions, ShownWindowStoresItsOuterFrame)
{
    auto w = windowAt(QRect(50, 60, 200, 100));
    w->show();
    w->move(70, 90);
    w->resize(250, 120);
    const QRect frame = w->frameGeometry();
    const QRect inner = w->geometry();
    {
        auto s = store();
        SaveWindowPositions(*s, {{"fmoptions", w.get()}});
    }
    EXPECT_EQ(stored("fmoptions", "left"), frame.x());
    EXPECT_EQ(stored("fmoptions", "top"), frame.y());
    EXPECT_EQ(stored("fmoptions", "width"), frame.width());
    EXPECT_EQ(stored("fmoptions", "height"), frame.height());

    w->move(300, 300);
    w->resize(90, 90);
    auto s = store();
    LoadWindowPositions(*s, {{"fmoptions", w.get()}});
    EXPECT_EQ(w->frameGeometry(), frame);
    EXPECT_EQ(w->geometry(), inner) << "the frame is not counted twice";
}

TEST_F(WindowPositions, EachStoredValueAppliesOnItsOwn)
{
    auto leftOnly = windowAt(QRect(100, 200, 300, 150));
    auto topOnly = windowAt(QRect(100, 200, 300, 150));
    auto widthOnly = windowAt(QRect(100, 200, 300, 150));
    auto unset = windowAt(QRect(100, 200, 300, 150));
    auto s = store();
    WriteRegistryInteger(*s, key("fmmain", "left"), 40);
    WriteRegistryInteger(*s, key("fmcrypt", "top"), 7);
    WriteRegistryInteger(*s, key("fmmaze", "width"), 333);
    WriteRegistryInteger(*s, key("fmpclick", "left"), -1000);
    WriteRegistryString(*s, key("fmpclick", "top"), "abc");
    LoadWindowPositions(*s, {{"fmmain", leftOnly.get()},
                             {"fmcrypt", topOnly.get()},
                             {"fmmaze", widthOnly.get()},
                             {"fmpclick", unset.get()}});

    EXPECT_EQ(leftOnly->geometry(), QRect(40, 200, 300, 150)) << "the top keeps its designed value";
    EXPECT_EQ(leftOnly->property("autoCentre"), QVariant(false));

    EXPECT_EQ(topOnly->geometry(), QRect(100, 7, 300, 150));
    EXPECT_FALSE(topOnly->property("autoCentre").isValid()) << "only a stored left stops the centring";

    EXPECT_EQ(widthOnly->geometry(), QRect(100, 200, 333, 150));

    EXPECT_EQ(unset->geometry(), QRect(100, 200, 300, 150)) << "-1000 and rubbish count as missing";
    EXPECT_FALSE(unset->property("autoCentre").isValid());
}

TEST_F(WindowPositions, ValuesApplyAsStoredEvenOffScreen)
{
    auto w = windowAt(QRect(100, 100, 200, 200));
    auto s = store();
    WriteRegistryInteger(*s, key("fmfiles", "left"), -5000);
    WriteRegistryInteger(*s, key("fmfiles", "top"), 90000);
    LoadWindowPositions(*s, {{"fmfiles", w.get()}});
    EXPECT_EQ(w->pos(), QPoint(-5000, 90000));
}

TEST_F(WindowPositions, BoundsNoWindowCouldHaveLeaveItsOwnPlaceAndSize)
{
    const struct {
        const char* name;
        int left, top, width, height;
    } cases[] = {
        {"height 0", 10, 10, 300, 0},
        {"width -5", 10, 10, -5, 200},
        {"left near the end of the integers", 2147483600, 10, 300, 200},
        {"top at the start of the integers", 10, -2147483647 - 1, 300, 200},
        {"width past any screen", 10, 10, 2147483647, 200},
    };
    for (const auto& c : cases) {
        {
            auto s = store();
            for (const auto& [value, number] :
                 {std::pair{"left", c.left}, {"top", c.top}, {"width", c.width}, {"height", c.height}})
                WriteRegistryInteger(*s, key("fmmaze", value), number);
        }
        auto w = windowAt(QRect(100, 200, 340, 373));
        {
            auto s = store();
            LoadWindowPositions(*s, {{"fmmaze", w.get()}});
        }
        EXPECT_EQ(w->geometry(), QRect(100, 200, 340, 373)) << c.name;
        EXPECT_FALSE(w->property("autoCentre").isValid()) << c.name << ": it still centres itself";
    }
}

TEST_F(WindowPositions, MaximisedInstructionsKeepTheirLastNormalBounds)
{
    const QString name = QStringLiteral("fminstructions");
    auto w = windowAt(QRect(10, 20, 400, 300));
    {
        auto s = store();
        SaveWindowPositions(*s, {{name, w.get()}});
    }
    EXPECT_EQ(stored(name, "left"), 10);
    EXPECT_EQ(stored(name, "max"), 0);

    w->setGeometry(500, 500, 100, 100);
    w->setWindowState(Qt::WindowMaximized);
    {
        auto s = store();
        SaveWindowPositions(*s, {{name, w.get()}});
    }
    EXPECT_EQ(stored(name, "max"), 1);
    EXPECT_EQ(stored(name, "left"), 10) << "a maximised window writes no bounds";
    EXPECT_EQ(stored(name, "top"), 20);
    EXPECT_EQ(stored(name, "width"), 400);
    EXPECT_EQ(stored(name, "height"), 300);

    auto next = windowAt(QRect(0, 0, 50, 50));
    {
        auto s = store();
        LoadWindowPositions(*s, {{name, next.get()}});
    }
    EXPECT_TRUE(next->isMaximized());
    next->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(next->geometry(), QRect(10, 20, 400, 300)) << "restoring returns to the stored bounds";
}

TEST_F(WindowPositions, StoredNormalStateUndoesMaximised)
{
    const QString name = QStringLiteral("fminstructions");
    auto w = windowAt(QRect(10, 20, 400, 300));
    w->setWindowState(Qt::WindowMaximized);
    auto s = store();
    WriteRegistryBool(*s, key(name, "max"), false);
    LoadWindowPositions(*s, {{name, w.get()}});
    EXPECT_FALSE(w->isMaximized());

    auto other = windowAt(QRect(10, 20, 400, 300));
    LoadWindowPositions(*s, {{"fmmain", other.get()}});
    EXPECT_FALSE(other->isMaximized());
    WriteRegistryBool(*s, key("fmmain", "max"), true);
    LoadWindowPositions(*s, {{"fmmain", other.get()}});
    EXPECT_FALSE(other->isMaximized()) << "max belongs to the instructions window alone";
}

TEST_F(WindowPositions, AWindowNotShownYetTakesItsInsideFromTheStoredFrameAndInsets)
{
    struct Case {
        const char* what;
        bool fixedSize;
        QMargins insets; // left, top, right, bottom as stored; -1: not stored
        QRect expected;  // the inside
    } cases[] = {
        {"all four insets", false, {1, 20, 3, 5}, QRect(101, 220, 296, 175)},
        {"right and bottom from left", false, {2, 20, -1, -1}, QRect(102, 220, 296, 178)},
        {"no insets stored", false, {-1, -1, -1, -1}, QRect(100, 200, 300, 200)},
        {"insets out of range", false, {1, 500, 1, 1}, QRect(100, 200, 300, 200)},
        {"a fixed size only moves", true, {1, 20, 1, 5}, QRect(101, 220, 120, 90)},
    };
    for (const Case& c : cases) {
        const QString name = QStringLiteral("fmmaze");
        {
            auto s = store();
            s->remove(QStringLiteral("Software"));
            WriteRegistryInteger(*s, key(name, "left"), 100);
            WriteRegistryInteger(*s, key(name, "top"), 200);
            WriteRegistryInteger(*s, key(name, "width"), 300);
            WriteRegistryInteger(*s, key(name, "height"), 200);
            const int insets[] = {c.insets.left(), c.insets.top(), c.insets.right(), c.insets.bottom()};
            const char* sides[] = {"insetleft", "insettop", "insetright", "insetbottom"};
            for (int i = 0; i < 4; ++i)
                if (insets[i] >= 0)
                    WriteRegistryInteger(*s, key(name, sides[i]), insets[i]);
        }
        auto w = windowAt(QRect(0, 0, 120, 90));
        if (c.fixedSize)
            w->setFixedSize(120, 90);
        LoadWindowPositions(*store(), {{name, w.get()}});
        EXPECT_EQ(w->geometry(), c.expected) << c.what;
    }
}

TEST_F(WindowPositions, WhereTheCompositorPlacesWindowsOnlySizesApplyAndPlacesStayAsStored)
{
    // Stored under X11: the frame at (100, 50), 302 by 221, the inside 1 in and 20 down.
    {
        auto s = store();
        for (const auto& [value, number] : {std::pair{"left", 100}, {"top", 50}, {"width", 302}, {"height", 221},
                                             {"insetleft", 1}, {"insettop", 20}, {"insetright", 1}, {"insetbottom", 0}})
            WriteRegistryInteger(*s, key("fminstructions", value), number);
    }
    auto w = windowAt(QRect(7, 8, 120, 90));
    auto fresh = windowAt(QRect(9, 9, 150, 60));
    LoadWindowPositions(*store(), {{"fminstructions", w.get()}, {"fmfiles", fresh.get()}}, WindowPlacing::byCompositor);
    EXPECT_EQ(w->geometry(), QRect(7, 8, 300, 201)) << "the stored inside's size, no place";
    EXPECT_FALSE(w->property("autoCentre").isValid());
    EXPECT_EQ(fresh->geometry(), QRect(9, 9, 150, 60));

    w->setGeometry(0, 0, 400, 300); // where Qt believes a window is under a compositor
    SaveWindowPositions(*store(), {{"fminstructions", w.get()}, {"fmfiles", fresh.get()}}, WindowPlacing::byCompositor);
    const struct {
        const char* window;
        const char* value;
        int expected; // -1000: not stored
    } cases[] = {
        {"fminstructions", "left", 100},    {"fminstructions", "top", 50},     {"fminstructions", "insettop", 20},
        {"fminstructions", "width", 402},   {"fminstructions", "height", 320}, {"fmfiles", "left", -1000},
        {"fmfiles", "insetleft", -1000},    {"fmfiles", "width", 150},         {"fmfiles", "height", 60},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stored(c.window, c.value), c.expected) << c.window << " " << c.value;

    // Back under X11 the frame goes where it was, at the size last used.
    auto x11 = windowAt(QRect(0, 0, 10, 10));
    LoadWindowPositions(*store(), {{"fminstructions", x11.get()}}, WindowPlacing::byProgram);
    EXPECT_EQ(x11->geometry(), QRect(101, 70, 400, 300));
}

// The registry brainloft-make starts with and the one its part that draws completes.
#include "cli/maker.h"
#include "cli/verbs.h"

#include <gtest/gtest.h>

using namespace maker;

TEST(MakerRegistry, OnlyVerbsThatDrawNeedThePartThatDraws)
{
    const Registry lean = CoreVerbs();
    const struct {
        QStringList args;
        bool draws;
    } cases[] = {
        {{}, false},
        {{"--help"}, false},
        {{"wordsearch", "list.txt", "Name"}, false},
        {{"cryptogram", "--help"}, false},
        {{"maze", "Name"}, false},
        {{"tunes", "dir"}, false},
        {{"check", "a.wsp", "b.SBD", "c.mzp", "d.mid"}, false},
        {{"check", "a.wsp", "b.TLP1"}, true},
        {{"show", "a.tld1"}, true},
        {{"show", "notes.txt"}, false},
        {{"print", "a.wsp", "out.pdf"}, true},
        {{"print", "--help"}, true},
        {{"worksheets", "maze", "out.pdf", "--count", "2"}, true},
        {{"picture", "photo.jpg", "Name"}, true},
        {{"picture-export", "a.tlp1", "out.png"}, true},
        {{"frobnicate"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lean.needsDrawing(c.args), c.draws) << c.args.join(' ').toStdString();
}

TEST(MakerRegistry, EveryVerbCompleteListedAsTheLeanOneListsIt)
{
    const Registry lean = CoreVerbs();
    const Registry all = AllVerbs();
    ASSERT_EQ(all.verbs.size(), lean.verbs.size()) << "no verb only in the part that draws";
    for (int i = 0; i < all.verbs.size(); ++i) {
        SCOPED_TRACE(all.verbs[i].name.toStdString());
        EXPECT_EQ(all.verbs[i].name, lean.verbs[i].name);
        EXPECT_EQ(all.verbs[i].usage, lean.verbs[i].usage);
        EXPECT_EQ(all.verbs[i].summary, lean.verbs[i].summary);
        EXPECT_TRUE(all.verbs[i].run);
    }
    for (const FileKind& kind : all.kinds)
        EXPECT_TRUE(kind.check && kind.show) << kind.extensions.join(' ').toStdString();
    QStringList sheets;
    for (const SheetKind& kind : all.sheetKinds)
        sheets << kind.name;
    EXPECT_EQ(sheets, (QStringList{"cryptogram", "wordsearch", "maze"})) << "in the program's order";
    EXPECT_FALSE(all.needsDrawing({"picture", "a.png", "A"}));
    EXPECT_FALSE(all.needsDrawing({"check", "a.tlp1"}));
}

TEST(MakerRegistry, AVerbAddedTwiceIsCompletedInItsFirstPlace)
{
    const auto run = [](const QStringList&, Context&) { return kOk; };
    Registry registry;
    registry.verbs = {{"a", "a usage", "a summary", {}},
                      {"b", "b usage", "b summary", run},
                      {"a", "", "", run},
                      {"c", "c usage", "c", {}},
                      {"c", "c new usage", "", {}}};
    registry.mergeSameNames();
    ASSERT_EQ(registry.verbs.size(), 3);
    EXPECT_EQ(registry.verbs[0].name, "a");
    EXPECT_EQ(registry.verbs[0].usage, "a usage") << "an empty text leaves the first";
    EXPECT_TRUE(registry.verbs[0].run);
    EXPECT_EQ(registry.verbs[1].name, "b");
    EXPECT_EQ(registry.verbs[2].usage, "c new usage");
    EXPECT_EQ(registry.verbs[2].summary, "c");
    EXPECT_FALSE(registry.verbs[2].run);
}

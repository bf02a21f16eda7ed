#include "brainloft_resources.h"
#include "platform/rng.h"
#include "printing/pagecapture.h"
#include "wordsearch/builder.h"
#include "wordsearch/keypage.h"
#include "wordsearch/pagewindows_tmp.h"
#include "wordsearch/printpages.h"
#include "wordsearch/puzzlepage.h"

#include <gtest/gtest.h>

using namespace wordsearch;

namespace {

void expectSameItems(const printing::PageLayout& windows, const printing::PageLayout& model)
{
    EXPECT_EQ(windows.size, model.size);
    EXPECT_EQ(windows.background, model.background);
    ASSERT_EQ(windows.items.size(), model.items.size());
    for (int i = 0; i < windows.items.size(); ++i) {
        const printing::PageItem& a = windows.items[i];
        const printing::PageItem& b = model.items[i];
        const std::string where = std::to_string(i) + " " + a.name.toStdString();
        EXPECT_EQ(a.kind, b.kind) << where;
        EXPECT_EQ(a.name, b.name) << where;
        EXPECT_EQ(a.rect, b.rect) << where;
        EXPECT_EQ(a.colour, b.colour) << where;
        EXPECT_EQ(a.text, b.text) << where;
        EXPECT_EQ(a.font, b.font) << where << " " << a.font.toString().toStdString() << " / "
                                  << b.font.toString().toStdString();
        EXPECT_EQ(a.alignment, b.alignment) << where;
        EXPECT_EQ(a.wordWrap, b.wordWrap) << where;
        EXPECT_EQ(a.stretch, b.stretch) << where;
        EXPECT_TRUE(a.image == b.image) << where;
    }
}

} // namespace

TEST(PageCompare, ModelPagesMatchThePageWindowsItemForItem)
{
    InitBrainloftResources();
    const LetterPictures letters = LoadLetterPictures();
    const QStringList lists[] = {
        {"ANT", "BEE", "CAT", "DOG", "EEL", "FOX", "GNU", "HEN", "IBIS", "JAY", "KOI", "LARK", "MOLE", "NEWT", "OWL",
         "PIG", "RAM", "SEAL", "TOAD", "YAK"},
        {"ORCHARD", "MEADOW", "BROOK"},
    };
    for (const QString& name : {QStringLiteral("Spring"), QString()}) {
        for (const QStringList& list : lists) {
            WordSearchPuzzle puzzle;
            Rng rng(11);
            GridBuilder(puzzle, rng).Build(list);
            const QImage picture = LettersPicture(puzzle.grid, letters);
            const QImage key = KeyPicture(puzzle, picture, QColor(180, 16, 203));
            WordSearchPuzzlePage pageWindow;
            WordSearchKeyPage keyWindow;
            PreparePrintPages(pageWindow, keyWindow, PageWords(puzzle), picture, key, name);
            expectSameItems(printing::DescribePage(pageWindow), PuzzlePage(puzzle, letters, name));
            expectSameItems(printing::DescribePage(keyWindow), KeyPage(puzzle, letters, QColor(180, 16, 203), name));
        }
    }
}

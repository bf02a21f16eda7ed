#include "platform/filenames.h"

#include <gtest/gtest.h>

TEST(FileNames, ExtensionIsReplacedFromTheLastDotOfTheLastComponent)
{
    using filenames::replaceExtension;
    EXPECT_EQ(replaceExtension("Spring", ".wsp"), "Spring.wsp");
    EXPECT_EQ(replaceExtension("Spring.txt", ".wsp"), "Spring.wsp");
    EXPECT_EQ(replaceExtension("my.spring.txt", ".wsp"), "my.spring.wsp");
    EXPECT_EQ(replaceExtension("a.dir/name", ".wsp"), "a.dir/name.wsp");
    EXPECT_EQ(replaceExtension("a.dir\\name", ".wsp"), "a.dir\\name.wsp");
    EXPECT_EQ(filenames::lowerExtension("Animals.WSD"), ".wsd");
    EXPECT_EQ(filenames::lowerExtension("a.b/c"), "");
}

TEST(FileNames, RefusedCharacters)
{
    for (QChar c : QStringLiteral("\\/:*?\"<>|."))
        EXPECT_TRUE(filenames::isRefusedNameCharacter(c)) << c.toLatin1();
    for (QChar c : QStringLiteral("aZ09 -_#"))
        EXPECT_FALSE(filenames::isRefusedNameCharacter(c)) << c.toLatin1();
}

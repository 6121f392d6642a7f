#include "engine/services/vex_resource.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/services/string_tools.h"
#include "tests/base/log_tail.h"

TEST(VexResource, PathsAreTheNamesGivenWithForwardSlashes) {
    VEX_Resource& resource = Resource();
    EXPECT_TRUE(resource.BuildPath("mesa1.tga"));
    EXPECT_STREQ(resource.path(), "mesa1.tga");
    EXPECT_TRUE(resource.BuildPath("sons\\hit.wav"));
    EXPECT_STREQ(resource.path(), "sons/hit.wav");
    EXPECT_FALSE(resource.BuildPath(nullptr));
    EXPECT_FALSE(resource.BuildPath(std::string(2000, 'a').c_str()));
}

TEST(StringTools, FileExistsWarnsAboutAMissingFile) {
    LogTail log;
    EXPECT_FALSE(StringTools::FileExists("x"));
    EXPECT_TRUE(log.HasLine("AVISO: Arquivo <x> não encontrado."));
    {
        FILE* f = std::fopen("present.txt", "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    LogTail quiet;
    EXPECT_TRUE(StringTools::FileExists("present.txt"));
    EXPECT_EQ(quiet.Text(), "");
}

TEST(StringTools, LowerCasesOnlyAsciiLettersAndCopiesThroughTheTracker) {
    char name[] = "MeSa1.TGA\xC9";
    StringTools::ToLower(name);
    EXPECT_STREQ(name, "mesa1.tga\xC9");

    const int32_t before = Tracker().Counters().blocksInUse;
    TrackedChars copy = StringTools::Duplicate("abc");
    EXPECT_STREQ(copy.get(), "abc");
    EXPECT_EQ(Tracker().Counters().blocksInUse, before + 1);
    copy.reset();
    EXPECT_EQ(Tracker().Counters().blocksInUse, before);
    EXPECT_EQ(StringTools::Duplicate(nullptr), nullptr);
}

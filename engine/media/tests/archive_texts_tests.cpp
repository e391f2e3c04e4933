#include "engine/media/archive_texts.h"

#include <gtest/gtest.h>

namespace zk::media {
namespace {

TEST(ArchiveTexts, ListingErrorsHaveFixedTextsAndExtractionErrorsANumber) {
    EXPECT_EQ(ListErrorText(1001), "The archive file was not found");
    EXPECT_EQ(ListErrorText(1002), "Illegal path used in a wildcard expression");
    EXPECT_EQ(ListErrorText(1003),
              "The archive cannot be opened: unsupported archive or incorrect password");
    EXPECT_EQ(ListErrorText(1004), "General failure opening archive");
    EXPECT_EQ(ListErrorText(0), "General failure opening archive");
    EXPECT_EQ(ExtractErrorText(1003), "#1003");
}

TEST(ArchiveTexts, ProgressPercent) {
    struct Case {
        uint64_t done, total;
        int percent;
    } cases[] = {
        {0, 1000, 1},     {70, 1000, 8},
        {999, 1000, 100}, {1000, 1000, 100},
        {0, 0, 100},      {uint64_t(1) << 62, uint64_t(1) << 63, 51}, // no overflow of done * 100
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}

TEST(ArchiveTexts, ProgressLineShowsTheFileNameWithoutFolder) {
    EXPECT_EQ(ProgressLine("bin\\setup.exe", 7, "% complete"), "setup.exe, 7% complete");
    EXPECT_EQ(ProgressLine("readme.txt", 100, "% complete"), "readme.txt, 100% complete");
}

} // namespace
} // namespace zk::media

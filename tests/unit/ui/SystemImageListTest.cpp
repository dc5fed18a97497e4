#include <gtest/gtest.h>

#include "support/FakeDesktop.h"
#include "support/FakePlatform.h"
#include "ui/SystemImageList.h"

namespace corvane {
namespace {

using testing::FakeDesktop;

class SystemImageListTest : public ::testing::Test {
protected:
    SystemImageListTest() {
        fake.services.desktop = &desktop;
        fake.Reinstall();
    }
    testing::FakePlatform fake;
    FakeDesktop desktop;
};

TEST_F(SystemImageListTest, StartsLargeAndSharedWithNoListBound) {
    TSystemImageList images;
    EXPECT_EQ(images.ImageSize(), TImageSize::isLarge);
    EXPECT_TRUE(images.ShareImages());
    EXPECT_FALSE(images.HandleAllocated());
    EXPECT_EQ(images.Width(), 0);
    images.Draw(0x77, 1, 2, 3);
    EXPECT_TRUE(desktop.events.empty());
}

TEST_F(SystemImageListTest, BorrowsTheSystemListAndNeverDestroysIt) {
    {
        TSystemImageList images;
        images.Loaded();
        EXPECT_EQ(images.Handle(), FakeDesktop::LargeList);
        EXPECT_EQ(images.Width(), 32);
        EXPECT_EQ(images.Height(), 32);
        EXPECT_EQ(images.Count(), 40);
        images.SetImageSize(TImageSize::isSmall);
        EXPECT_EQ(images.Handle(), FakeDesktop::SmallList);
        EXPECT_EQ(images.Width(), 16);
    }
    EXPECT_TRUE(desktop.destroyed.empty());
    EXPECT_TRUE(desktop.events.empty()); // no copy, and no cursor change
}

TEST_F(SystemImageListTest, SettingsBeforeLoadingAreOnlyStored) {
    TSystemImageList images;
    images.SetImageSize(TImageSize::isSmall);
    images.SetShareImages(false);
    EXPECT_FALSE(images.HandleAllocated());
    EXPECT_TRUE(desktop.events.empty());
    images.Loaded();
    EXPECT_TRUE(desktop.copies.count(images.Handle()));
    EXPECT_EQ(desktop.events, (std::vector<std::string>{"cursor busy", "copy 512", "cursor default"}));
}

// An own copy is made under the hourglass, the cursor goes back to what it was, and only the
// copy is ever destroyed.
TEST_F(SystemImageListTest, KeepsAnOwnCopyWhenNotShared) {
    desktop.cursor = platform::Cursor::Busy; // a caller that shows the hourglass already
    {
        TSystemImageList images;
        images.Loaded();
        images.SetShareImages(false);
        EXPECT_FALSE(images.ShareImages());
        const platform::ImageListHandle copy = images.Handle();
        EXPECT_TRUE(desktop.copies.count(copy));
        EXPECT_EQ(images.Count(), 40);
        EXPECT_EQ(desktop.cursor, platform::Cursor::Busy);

        images.SetImageSize(TImageSize::isSmall);
        EXPECT_EQ(desktop.destroyed, std::vector<platform::ImageListHandle>{copy});
        EXPECT_EQ(images.Width(), 16);

        images.SetShareImages(true);
        EXPECT_EQ(images.Handle(), FakeDesktop::SmallList);
        EXPECT_TRUE(desktop.copies.empty());
    }
    for (const platform::ImageListHandle list : desktop.destroyed) {
        EXPECT_NE(list, FakeDesktop::LargeList);
        EXPECT_NE(list, FakeDesktop::SmallList);
    }
}

TEST_F(SystemImageListTest, AnOwnCopyIsDestroyedWithTheComponent) {
    {
        TSystemImageList images;
        images.SetShareImages(false);
        images.Loaded();
        EXPECT_EQ(desktop.copies.size(), 1u);
    }
    EXPECT_TRUE(desktop.copies.empty());
}

TEST_F(SystemImageListTest, AFailedCopyRaisesAndPutsTheCursorBack) {
    TSystemImageList images;
    images.Loaded();
    desktop.failCopy = true;
    EXPECT_THROW(images.SetShareImages(false), EImageListError);
    EXPECT_EQ(desktop.cursor, platform::Cursor::Default);
    EXPECT_FALSE(images.HandleAllocated());
    EXPECT_TRUE(images.ShareImages()); // the value is stored only after the list was bound
}

TEST_F(SystemImageListTest, DrawsByIndexOntoTheSurface) {
    TSystemImageList images;
    images.Loaded();
    images.Draw(0x77, 10, 20, 5);
    images.Draw(0x77, 10, 20, -1);
    EXPECT_EQ(desktop.events, (std::vector<std::string>{"draw 256 5 119 10 20"}));
}

} // namespace
} // namespace corvane

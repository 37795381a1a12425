// GDI+ start-up, pictures decoded from memory and the task-dialog helper.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/gdiplus_win.h"
#include "support/memory_image_win.h"
#include "support/task_dialog_win.h"
#include "tests/png_fixture.h"

namespace ql {
namespace {

class GdiplusStarted : public testing::Test {
 protected:
  static void SetUpTestSuite() { StartGdiplus(); }
};

TEST_F(GdiplusStarted, StartingTwiceStartsOnce) {
  uintptr_t token = GdiplusToken();
  ASSERT_NE(token, 0u);
  StartGdiplus();
  EXPECT_EQ(GdiplusToken(), token);
}

TEST_F(GdiplusStarted, FourBytesAreRefusedWithoutAllocating) {
  MemoryImage image;
  const uint8_t bytes[4] = {0x89, 'P', 'N', 'G'};
  EXPECT_FALSE(image.LoadFromBytes(bytes));
  EXPECT_FALSE(image.HoldsMemory());
  EXPECT_EQ(image.Handle(), nullptr);
}

TEST_F(GdiplusStarted, BytesThatAreNoPictureGiveNoImage) {
  MemoryImage image;
  const std::string text = "this is not a picture at all";
  EXPECT_FALSE(image.LoadFromBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()}));
  EXPECT_EQ(image.Handle(), nullptr);
  EXPECT_EQ(image.Width(), 0);
}

TEST_F(GdiplusStarted, APngReportsItsSizeUntilCleared) {
  MemoryImage image;
  auto png = qltest::SolidPng(100, 100, 0x00, 0x88, 0xFF);
  ASSERT_TRUE(image.LoadFromBytes(png));
  EXPECT_NE(image.Handle(), nullptr);
  EXPECT_EQ(image.Width(), 100);
  EXPECT_EQ(image.Height(), 100);
  // Reloading replaces the picture.
  ASSERT_TRUE(image.LoadFromBytes(qltest::SolidPng(3, 7, 1, 2, 3)));
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 7);
  image.Clear();
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Height(), 0);
  EXPECT_EQ(image.Handle(), nullptr);
}

TEST(TaskDialog, AnInvalidOwnerIsReportedAsMinusOne) {
  // A window handle that does not exist makes TaskDialog fail at once.
  HWND bogus = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7FFF0001));
  EXPECT_EQ(ShowTaskDialog(bogus, "主要", "标题", "内容", 1, nullptr, kTaskDialogErrorIcon), -1);
}

}  // namespace
}  // namespace ql

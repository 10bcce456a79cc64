// Opening a file under a lock, which must refuse alike where the locks are
// share modes fixed at the open (Windows, where a file held against us often
// cannot even be opened) and where they are taken on an open file (POSIX).
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/error.h"
#include "support/platform.h"
#include "toolkit/files.h"
#include "toolkit/temp_folder.h"

namespace support {
namespace {

using Lock = LockedFile::Lock;

TEST(LockedFileTest, OpenLockedIsRefusedOnlyByAConflictingLockAndLeavesTheHoldersLock) {
  struct Case {
    Lock held;
    Lock asked;
    bool granted;
  };
  const Case cases[] = {
      {Lock::Shared, Lock::Shared, true},
      {Lock::Shared, Lock::Exclusive, false},
      {Lock::Exclusive, Lock::Shared, false},
      {Lock::Exclusive, Lock::Exclusive, false},
  };
  test_support::TempFolder folder;
  const std::filesystem::path file = folder.path() / "PROFT.DBF";
  test_support::writeBytes(file, "records");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "held " << static_cast<int>(c.held) << ", asked "
                                    << static_cast<int>(c.asked));
    std::optional<LockedFile> holder = LockedFile::openLocked(file, c.held);
    ASSERT_TRUE(holder);
    const std::optional<LockedFile> opened = LockedFile::openLocked(file, c.asked);
    ASSERT_EQ(opened.has_value(), c.granted);
    if (opened) {
      EXPECT_EQ(opened->lock(), c.asked);
    }
    EXPECT_TRUE(holder->isOpen());
    EXPECT_EQ(holder->lock(), c.held);
    EXPECT_EQ(holder->readAt(0, 7), "records");
  }
}

TEST(LockedFileTest, OpenLockedTakesTheLockOfAFileNobodyHolds) {
  test_support::TempFolder folder;
  const std::filesystem::path file = folder.path() / "PROFT.DBF";
  test_support::writeBytes(file, "records");
  const std::optional<LockedFile> opened = LockedFile::openLocked(file, Lock::Exclusive);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->lock(), Lock::Exclusive);
  EXPECT_TRUE(opened->writable());
  EXPECT_FALSE(LockedFile::openLocked(file, Lock::Shared));
}

TEST(LockedFileTest, OpenLockedOfAMissingFileThrowsRatherThanCallItHeld) {
  test_support::TempFolder folder;
  EXPECT_THROW(LockedFile::openLocked(folder.path() / "PROFT.DBF", Lock::Exclusive), Error);
}

}  // namespace
}  // namespace support

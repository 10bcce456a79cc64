// The few operations whose system calls differ between Windows and POSIX,
// kept in one place: writing a file durably, atomic rename over an existing
// file, the non-blocking file locks that keep the host and the converter
// from changing the same table at once, the program's arguments and
// console output as UTF-8, the environment's folders and the local time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace support {

// The program's arguments after its name, as UTF-8. On Windows they come from
// the wide command line, since argv holds them in the ANSI code page, which
// cannot spell every folder name.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Makes standard output and error carry the program's UTF-8 bytes unchanged:
// on Windows the console shows them as UTF-8 and no CR is added before LF,
// so the output is the same bytes on every system.
void prepareConsoleOutput();

// The folder named by the environment variable name, read as the system
// holds it (on Windows the wide environment, which spells every folder);
// nullopt when the variable is unset or empty.
std::optional<std::filesystem::path> environmentFolder(const char* name);

// The local date and time, to the second.
struct LocalTime {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  // "2025-03-01 10:22:03".
  std::string text() const;
};
LocalTime localTimeNow();

// Creates or truncates file, writes bytes and flushes them to disk.
// Throws Error with the system's reason.
void writeWholeFileSynced(const std::filesystem::path& file, std::string_view bytes);

// Renames from over to, replacing it atomically. Throws Error with the reason.
void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// An open file for random access, holding an optional lock. Move-only.
class LockedFile {
 public:
  enum class Lock { None, Shared, Exclusive };

  LockedFile() = default;
  ~LockedFile();
  LockedFile(LockedFile&& other) noexcept;
  LockedFile& operator=(LockedFile&& other) noexcept;
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  // Opens an existing file for reading and, when the file allows it, writing.
  // Throws Error with the reason.
  static LockedFile open(const std::filesystem::path& file);
  // Opens it as open() does and takes lock without waiting: nullopt when
  // another program holds the file against that lock, on every system (on
  // Windows such a file often cannot even be opened). Throws Error with the
  // reason when the file cannot be opened for anything else.
  static std::optional<LockedFile> openLocked(const std::filesystem::path& file, Lock lock);

  bool isOpen() const;
  bool writable() const { return writable_; }
  // Takes or changes the lock without waiting; false when another program
  // holds a lock that conflicts, and the lock held before is then still
  // held. On Windows the locks are share modes, which every Windows program
  // honours: an open file is at least shared, and an exclusive lock reopens
  // it denying every other open; should another program take the file
  // while it is reopened, it is left closed (isOpen() false, lock() None).
  bool tryLock(Lock lock);
  Lock lock() const { return lock_; }

  std::uint64_t size() const;
  // Up to count bytes from offset: fewer when the file ends sooner.
  std::string readAt(std::uint64_t offset, std::size_t count) const;
  // Writes bytes at offset. Throws Error with the reason.
  void writeAt(std::uint64_t offset, std::string_view bytes);
  void close();

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
  std::filesystem::path path_;  // share modes change only by reopening
#else
  void mapFirstPage();
  static constexpr std::size_t kMappedPage = 4096;  // the bytes mapped; the header's counts come first
  int fd_ = -1;
  void* firstPage_ = nullptr;
  std::size_t mappedBytes_ = 0;  // of those, the ones the file held when they were mapped
  bool firstPageTried_ = false;
#endif
  bool writable_ = false;
  Lock lock_ = Lock::None;
};

}  // namespace support

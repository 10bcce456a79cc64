// The few operations whose system calls differ between Windows and POSIX,
// kept in one place: writing a file durably, atomic rename over an existing
// file, and the non-blocking file locks that keep the host and the converter
// from changing the same table at once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace support {

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

  bool isOpen() const;
  bool writable() const { return writable_; }
  // Takes or changes the lock without waiting; false when another program
  // holds a lock that conflicts.
  bool tryLock(Lock lock);
  Lock lock() const { return lock_; }

  std::uint64_t size() const;
  std::string readAll() const;
  // Writes bytes at offset. Throws Error with the reason.
  void writeAt(std::uint64_t offset, std::string_view bytes);
  void truncate(std::uint64_t size);
  void close();

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  bool writable_ = false;
  Lock lock_ = Lock::None;
};

}  // namespace support

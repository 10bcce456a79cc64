#include "support/platform.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "support/error.h"

#ifdef _WIN32
#error "The Windows branch of the platform unit is not written yet"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace support {
namespace {

std::string systemReason() { return std::strerror(errno); }

void writeAllAt(int fd, std::uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Error(systemReason());
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
}

}  // namespace

void writeWholeFileSynced(const std::filesystem::path& file, std::string_view bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw Error(systemReason());
  try {
    writeAllAt(fd, 0, bytes);
    if (::fsync(fd) != 0) throw Error(systemReason());
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw Error(systemReason());
}

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw Error(systemReason());
}

LockedFile::~LockedFile() { close(); }

LockedFile::LockedFile(LockedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      writable_(other.writable_),
      lock_(std::exchange(other.lock_, Lock::None)) {}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    writable_ = other.writable_;
    lock_ = std::exchange(other.lock_, Lock::None);
  }
  return *this;
}

LockedFile LockedFile::open(const std::filesystem::path& file) {
  LockedFile result;
  result.fd_ = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
  result.writable_ = result.fd_ >= 0;
  if (result.fd_ < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    result.fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  }
  if (result.fd_ < 0) throw Error(systemReason());
  struct stat info {};
  if (::fstat(result.fd_, &info) == 0 && !S_ISREG(info.st_mode)) {
    throw Error("no es un archivo normal");
  }
  return result;
}

bool LockedFile::isOpen() const { return fd_ >= 0; }

bool LockedFile::tryLock(Lock lock) {
  const int operation = lock == Lock::Exclusive ? LOCK_EX : lock == Lock::Shared ? LOCK_SH : LOCK_UN;
  while (::flock(fd_, operation | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    return false;
  }
  lock_ = lock;
  return true;
}

std::uint64_t LockedFile::size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) throw Error(systemReason());
  return static_cast<std::uint64_t>(info.st_size);
}

std::string LockedFile::readAll() const {
  std::string bytes(size(), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Error(systemReason());
    }
    if (n == 0) break;  // the file shrank meanwhile
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

void LockedFile::writeAt(std::uint64_t offset, std::string_view bytes) { writeAllAt(fd_, offset, bytes); }

void LockedFile::truncate(std::uint64_t size) {
  if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) throw Error(systemReason());
}

void LockedFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  lock_ = Lock::None;
}

}  // namespace support

#include "support/platform.h"

#include <cstdio>
#include <utility>

#include "support/error.h"

namespace support {
namespace {

// The reason given for a file that another program holds, on every system.
constexpr char kHeldByAnotherProgram[] = "está en uso por otro programa";

}  // namespace
}  // namespace support

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX  // MinGW's libstdc++ defines it
#define NOMINMAX
#endif
#include <windows.h>
// The headers below need windows.h first.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwchar>

namespace support {
namespace {

std::string utf8(const wchar_t* text, int length) {
  if (length == 0) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// The system's text for an error code. A file that another program keeps
// open against us gets the engine's own words.
std::string systemReason(DWORD code = ::GetLastError()) {
  if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) return kHeldByAnotherProgram;
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length > 0 ? utf8(buffer, static_cast<int>(length)) : "error " + std::to_string(code);
  ::LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

// Shared: others may read and write, and may share it too. Exclusive: no
// other open at all, and none possible while others have it open.
DWORD shareModeFor(LockedFile::Lock lock) {
  return lock == LockedFile::Lock::Exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
}

HANDLE openExisting(const std::filesystem::path& file, bool writable, DWORD shareMode) {
  return ::CreateFileW(file.c_str(), GENERIC_READ | (writable ? GENERIC_WRITE : 0), shareMode, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(offset);
  position.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return position;
}

constexpr std::size_t kMaxChunk = std::size_t{1} << 30;  // ReadFile and WriteFile take 32-bit sizes

void writeAllAt(HANDLE handle, std::uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    OVERLAPPED position = at(offset);
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxChunk));
    if (!::WriteFile(handle, bytes.data(), chunk, &written, &position)) throw Error(systemReason());
    if (written == 0) throw Error("no se ha podido escribir");
    bytes.remove_prefix(written);
    offset += written;
  }
}

UINT g_consoleCodePage = 0;

void restoreConsoleCodePage() { ::SetConsoleOutputCP(g_consoleCodePage); }

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr)
    return std::vector<std::string>(argv + 1, argv + argc);  // out of memory: the ANSI form
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(utf8(wide[i], static_cast<int>(std::wcslen(wide[i]))));
  ::LocalFree(wide);
  return args;
}

void prepareConsoleOutput() {
  // The console's code page outlives the program; put it back at exit.
  g_consoleCodePage = ::GetConsoleOutputCP();
  if (g_consoleCodePage != 0 && g_consoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(restoreConsoleCodePage);
  }
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

std::optional<std::filesystem::path> environmentFolder(const char* name) {
  const std::wstring wideName(name, name + std::strlen(name));
  const wchar_t* value = ::_wgetenv(wideName.c_str());
  if (value == nullptr || *value == L'\0') return std::nullopt;
  return std::filesystem::path(value);
}

LocalTime localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_s(&local, &now);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void writeWholeFileSynced(const std::filesystem::path& file, std::string_view bytes) {
  const HANDLE handle =
      ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw Error(systemReason());
  try {
    writeAllAt(handle, 0, bytes);
    if (!::FlushFileBuffers(handle)) throw Error(systemReason());
  } catch (...) {
    ::CloseHandle(handle);
    throw;
  }
  if (!::CloseHandle(handle)) throw Error(systemReason());
}

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw Error(systemReason());
  }
}

LockedFile::~LockedFile() { close(); }

LockedFile::LockedFile(LockedFile&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      path_(std::move(other.path_)),
      writable_(other.writable_),
      lock_(std::exchange(other.lock_, Lock::None)) {}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, nullptr);
    path_ = std::move(other.path_);
    writable_ = other.writable_;
    lock_ = std::exchange(other.lock_, Lock::None);
  }
  return *this;
}

// The share mode is the lock, so that a file another program holds against
// it is refused at the open (a sharing violation), as a lock would be.
std::optional<LockedFile> LockedFile::openLocked(const std::filesystem::path& file, Lock lock) {
  LockedFile result;
  result.path_ = file;
  HANDLE handle = openExisting(file, true, shareModeFor(lock));
  result.writable_ = handle != INVALID_HANDLE_VALUE;
  if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED) {
    handle = openExisting(file, false, shareModeFor(lock));
  }
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) return std::nullopt;
    throw Error(systemReason(code));
  }
  result.handle_ = handle;
  result.lock_ = lock;
  if (::GetFileType(handle) != FILE_TYPE_DISK) throw Error("no es un archivo normal");
  return result;
}

bool LockedFile::isOpen() const { return handle_ != nullptr; }

bool LockedFile::tryLock(Lock lock) {
  if (shareModeFor(lock) != shareModeFor(lock_)) {
    // A share mode is fixed when a file is opened, and no second handle can
    // deny the sharing that this one has: reopen with the new mode, and on
    // refusal go back to the old one (the records are in memory, so nothing
    // is lost in between). Another program may open the file in between
    // with a mode that keeps the old one out: the file is then closed, and
    // says so, rather than claim a lock it does not hold.
    ::CloseHandle(handle_);
    HANDLE handle = openExisting(path_, writable_, shareModeFor(lock));
    if (handle == INVALID_HANDLE_VALUE) {
      handle = openExisting(path_, writable_, shareModeFor(lock_));
      handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
      if (handle_ == nullptr) lock_ = Lock::None;
      return false;
    }
    handle_ = handle;
  }
  lock_ = lock;
  return true;
}

std::uint64_t LockedFile::size() const {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(handle_, &size)) throw Error(systemReason());
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::string LockedFile::readAt(std::uint64_t offset, std::size_t count) const {
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    OVERLAPPED position = at(offset + done);
    DWORD n = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
    if (!::ReadFile(handle_, bytes.data() + done, chunk, &n, &position)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;  // the file shrank meanwhile
      throw Error(systemReason());
    }
    if (n == 0) break;
    done += n;
  }
  bytes.resize(done);
  return bytes;
}

void LockedFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  writeAllAt(static_cast<HANDLE>(handle_), offset, bytes);
}

void LockedFile::close() {
  if (handle_ != nullptr) ::CloseHandle(handle_);
  handle_ = nullptr;
  lock_ = Lock::None;
}

}  // namespace support

#else  // POSIX
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

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

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void prepareConsoleOutput() {}

std::optional<std::filesystem::path> environmentFolder(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::filesystem::path(value);
}

LocalTime localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

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
      firstPage_(std::exchange(other.firstPage_, nullptr)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0)),
      firstPageTried_(std::exchange(other.firstPageTried_, false)),
      writable_(other.writable_),
      lock_(std::exchange(other.lock_, Lock::None)) {}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    firstPage_ = std::exchange(other.firstPage_, nullptr);
    mappedBytes_ = std::exchange(other.mappedBytes_, 0);
    firstPageTried_ = std::exchange(other.firstPageTried_, false);
    writable_ = other.writable_;
    lock_ = std::exchange(other.lock_, Lock::None);
  }
  return *this;
}

std::optional<LockedFile> LockedFile::openLocked(const std::filesystem::path& file, Lock lock) {
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
  if (lock != Lock::None && !result.tryLock(lock)) return std::nullopt;
  return result;
}

bool LockedFile::isOpen() const { return fd_ >= 0; }

// Open file description locks on the whole file: they belong to this open
// file, not to the process (closing another descriptor of the same file in
// this process keeps them), and a shared lock becomes exclusive atomically,
// so that a refused change leaves the shared lock held. flock() cannot do
// that on Linux: it drops the old lock before it asks for the new one.
bool LockedFile::tryLock(Lock lock) {
  struct flock request {};
  request.l_whence = SEEK_SET;  // l_start and l_len 0: the whole file, however long it grows
  request.l_type = lock == Lock::Exclusive ? F_WRLCK : lock == Lock::Shared ? F_RDLCK : F_UNLCK;
  if (lock == Lock::Exclusive && !writable_) {
    // A file opened only for reading cannot carry a write lock: it takes a
    // read lock, which keeps every writer out, and only when no other
    // program holds any lock on it.
    struct flock probe = request;
    if (::fcntl(fd_, F_OFD_GETLK, &probe) != 0 || probe.l_type != F_UNLCK) return false;
    request.l_type = F_RDLCK;
  }
  while (::fcntl(fd_, F_OFD_SETLK, &request) != 0) {
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

std::string LockedFile::readAt(std::uint64_t offset, std::size_t count) const {
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
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

// Small changes inside the file's first page (the header's record count,
// date and flags, rewritten with nearly every change of a table) go through
// a shared mapping of that page: the same page of the system's file cache
// that a write would change, without a system call each. Only the bytes the
// file held when the page was mapped are written so; the rest, and every
// larger write, goes through pwrite.
void LockedFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  if (writable_ && !firstPageTried_ && offset < kMappedPage) mapFirstPage();
  if (offset + bytes.size() <= mappedBytes_) {
    std::memcpy(static_cast<char*>(firstPage_) + offset, bytes.data(), bytes.size());
    return;
  }
  writeAllAt(fd_, offset, bytes);
}

void LockedFile::mapFirstPage() {
  firstPageTried_ = true;
  const std::uint64_t fileBytes = size();
  void* page = ::mmap(nullptr, kMappedPage, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
  if (page == MAP_FAILED) return;  // pwrite serves
  firstPage_ = page;
  mappedBytes_ = static_cast<std::size_t>(std::min<std::uint64_t>(fileBytes, kMappedPage));
}

void LockedFile::close() {
  if (firstPage_ != nullptr) ::munmap(firstPage_, kMappedPage);
  firstPage_ = nullptr;
  mappedBytes_ = 0;
  firstPageTried_ = false;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  lock_ = Lock::None;
}

}  // namespace support

#endif

namespace support {

LockedFile LockedFile::open(const std::filesystem::path& file) {
  std::optional<LockedFile> opened = openLocked(file, Lock::None);
  if (!opened) throw Error(kHeldByAnotherProgram);  // on Windows, held with no sharing at all
  return std::move(*opened);
}

std::string LocalTime::text() const {
  char text[80];  // room for any int in each field
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
  return text;
}

}  // namespace support

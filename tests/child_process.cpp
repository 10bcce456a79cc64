#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace test_support {
namespace {

std::vector<char*> argv(const std::filesystem::path& program, const std::vector<std::string>& args,
                        std::string& programText) {
  programText = program.string();
  std::vector<char*> v{programText.data()};
  for (const std::string& a : args) v.push_back(const_cast<char*>(a.c_str()));
  v.push_back(nullptr);
  return v;
}

std::string drain(int fd) {
  std::string text;
  char buf[4096];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  return text;
}

// Starts program with stdout and stderr on the given pipes' write ends.
int spawn(const std::filesystem::path& program, const std::vector<std::string>& args, int outFd, int errFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outFd, 1);
  posix_spawn_file_actions_adddup2(&actions, errFd, 2);
  std::string programText;
  std::vector<char*> v = argv(program, args, programText);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, programText.c_str(), &actions, nullptr, v.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + programText);
  return pid;
}

}  // namespace

std::filesystem::path builtExecutable(const std::string& relative) {
  const char* bin = std::getenv("TRANSORVALDAE_BIN_DIR");
  return std::filesystem::path(bin ? bin : ".") / relative;
}

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe");
  const int pid = spawn(program, args, out[1], err[1]);
  close(out[1]);
  close(err[1]);
  ProcessResult result;
  // Standard error is read after standard output: fine for the small outputs of tests.
  result.out = drain(out[0]);
  result.err = drain(err[0]);
  close(out[0]);
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

BackgroundProcess::BackgroundProcess(const std::filesystem::path& program, const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  const int devNull = open("/dev/null", O_WRONLY);
  pid_ = spawn(program, args, out[1], devNull);
  close(devNull);
  close(out[1]);
  out_ = out[0];
}

BackgroundProcess::~BackgroundProcess() {
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  close(out_);
}

bool BackgroundProcess::waitForLine(const std::string& prefix) {
  std::string line;
  char c;
  while (read(out_, &c, 1) == 1) {
    if (c != '\n') {
      line.push_back(c);
      continue;
    }
    if (line.rfind(prefix, 0) == 0) return true;
    line.clear();
  }
  return false;
}

}  // namespace test_support

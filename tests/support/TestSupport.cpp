#include "TestSupport.h"

#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace testsupport {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "yomiage-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path, ignored);
}

std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ProcessResult RunCommand(const std::string& program, const std::vector<std::string>& arguments,
                         const RunOptions& options) {
  int outPipe[2], errPipe[2], inPipe[2];
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0 || pipe(inPipe) != 0) {
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, inPipe[0], 0);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) {
    posix_spawn_file_actions_addclose(&actions, fd);
  }
  if (!options.workingDirectory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());
  }

  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string value = *entry;
    bool replaced = false;
    for (const auto& [name, ignored] : options.environment) {
      if (value.starts_with(name + "=")) replaced = true;
    }
    if (!replaced) environment.push_back(value);
  }
  for (const auto& [name, value] : options.environment) environment.push_back(name + "=" + value);

  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(inPipe[0]);
  close(outPipe[1]);
  close(errPipe[1]);
  if (spawned != 0) {
    close(inPipe[1]);
    close(outPipe[0]);
    close(errPipe[0]);
    throw std::runtime_error("cannot start " + program);
  }

  ProcessResult result;
  std::size_t inputSent = 0;
  if (options.input.empty()) close(inPipe[1]);
  fcntl(inPipe[1], F_SETFL, O_NONBLOCK);
  bool inputOpen = !options.input.empty();
  bool outOpen = true, errOpen = true;
  while (outOpen || errOpen) {
    pollfd fds[3] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0},
                     {inputOpen ? inPipe[1] : -1, POLLOUT, 0}};
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    char buffer[65536];
    for (int k = 0; k < 2; ++k) {
      if (fds[k].revents == 0) continue;
      ssize_t got = read(fds[k].fd, buffer, sizeof buffer);
      if (got > 0) {
        (k == 0 ? result.output : result.errors).append(buffer, static_cast<std::size_t>(got));
      } else {
        (k == 0 ? outOpen : errOpen) = false;
        close(fds[k].fd);
        (k == 0 ? outPipe[0] : errPipe[0]) = -1;
      }
    }
    if (inputOpen && fds[2].revents != 0) {
      ssize_t sent = write(inPipe[1], options.input.data() + inputSent, options.input.size() - inputSent);
      if (sent > 0) inputSent += static_cast<std::size_t>(sent);
      if (sent < 0 || inputSent == options.input.size()) {
        close(inPipe[1]);
        inputOpen = false;
      }
    }
  }
  if (inputOpen) close(inPipe[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

std::filesystem::path BuildDirectory() { return YOMIAGE_BUILD_DIR; }

Installation::Installation() {
  program = root.path / "yomiage";
  std::filesystem::copy_file(BuildDirectory() / "yomiage", program);
  std::filesystem::create_directories(root.path / "dll");
}

void Installation::AddVoice(const std::string& voice, const std::filesystem::path& engineLibrary) const {
  const auto folder = root.path / "dll" / voice;
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(engineLibrary, folder / "AquesTalk.dll",
                             std::filesystem::copy_options::overwrite_existing);
}

ProcessResult Installation::Run(const std::vector<std::string>& arguments, RunOptions options) const {
  bool localeSet = false;
  for (const auto& [name, value] : options.environment) localeSet |= name == "LC_ALL";
  if (!localeSet) options.environment.emplace_back("LC_ALL", "C");
  if (options.workingDirectory.empty()) options.workingDirectory = root.path;
  return RunCommand(program.string(), arguments, options);
}

std::string Cp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("not convertible to CP932");
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace testsupport

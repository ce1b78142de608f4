// Starting coilcalc-cli with pipes on all three standard streams, without ever blocking on one.
#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>

namespace {

// The longest a run may take before the program is killed: a hang is a failure, not a stall.
constexpr int RUN_LIMIT_MS = 60000;

int Spawn(const std::vector<std::string>& args, int& in, int& out, int& err) {
  // A program that stops reading must not kill the test with SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  int inPipe[2], outPipe[2], errPipe[2];
  if (pipe(inPipe) != 0 || pipe(outPipe) != 0 || pipe(errPipe) != 0) return -1;
  // The emulator's words first, when there is one (a cross build run under qemu).
  std::vector<std::string> copies;
  std::istringstream emulator(COILCALC_CLI_EMULATOR);
  for (std::string word; emulator >> word;) copies.push_back(word);
  copies.push_back(COILCALC_CLI_PATH);
  copies.insert(copies.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const int pid = fork();
  if (pid == 0) {
    dup2(inPipe[0], STDIN_FILENO);
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) close(fd);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(inPipe[0]);
  close(outPipe[1]);
  close(errPipe[1]);
  in = inPipe[1];
  out = outPipe[0];
  err = errPipe[0];
  return pid;
}

int WaitFor(int pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

ProgramRun RunCli(const std::vector<std::string>& args, const std::string& input) {
  ProgramRun run;
  int in = -1, out = -1, err = -1;
  const int pid = Spawn(args, in, out, err);
  if (pid < 0) return run;
  fcntl(in, F_SETFL, O_NONBLOCK);
  std::size_t written = 0;
  if (input.empty()) {
    close(in);
    in = -1;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(RUN_LIMIT_MS);
  char buffer[65536];
  while (out >= 0 || err >= 0) {
    pollfd fds[3];
    int count = 0;
    if (in >= 0) fds[count++] = {in, POLLOUT, 0};
    if (out >= 0) fds[count++] = {out, POLLIN, 0};
    if (err >= 0) fds[count++] = {err, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      run.timedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, count, static_cast<int>(left.count())) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == in) {
        const ssize_t n = write(in, input.data() + written, input.size() - written);
        if (n > 0) written += static_cast<std::size_t>(n);
        if ((n < 0 && errno != EAGAIN) || written == input.size()) {
          close(in);
          in = -1;
        }
      } else {
        int& fd = fds[i].fd == out ? out : err;
        std::string& text = fds[i].fd == out ? run.out : run.err;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
          text.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
          close(fd);
          fd = -1;
        }
      }
    }
  }
  for (int fd : {in, out, err}) {
    if (fd >= 0) close(fd);
  }
  run.exitCode = WaitFor(pid);
  return run;
}

LiveProgram StartCli(const std::vector<std::string>& args) {
  LiveProgram program;
  int err = -1;
  program.pid = Spawn(args, program.in, program.out, err);
  if (err >= 0) close(err);
  return program;
}

std::string ReadLineFrom(LiveProgram& program, int timeoutMs) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  char c = 0;
  while (line.empty() || line.back() != '\n') {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd fd = {program.out, POLLIN, 0};
    if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) return {};
    if (read(program.out, &c, 1) != 1) return {};
    line += c;
  }
  return line;
}

int FinishCli(LiveProgram& program) {
  if (program.in >= 0) close(program.in);
  program.in = -1;
  // Drain what is left so that the program is never stuck on a full pipe.
  char buffer[4096];
  while (read(program.out, buffer, sizeof buffer) > 0) {
  }
  close(program.out);
  program.out = -1;
  return WaitFor(program.pid);
}

#include "childRun.h"

#include <chrono>
#include <cstdlib>

#if defined(__linux__)
#  include <fcntl.h>
#  include <sys/resource.h>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

namespace lorvane::bench {

#if defined(__linux__)

// fork and wait4: the resources of this one child, as /usr/bin/time reports them.
childRunC runChild(const std::vector<std::string>& arguments, const std::string& outputPath) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  childRunC run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) return run;
  if (child == 0) {
    const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || dup2(out, 1) < 0) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKilobytes = static_cast<double>(usage.ru_maxrss);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return run;
}

#else

childRunC runChild(const std::vector<std::string>& arguments, const std::string& outputPath) {
  std::string line;
  for (const std::string& argument : arguments) line += "\"" + argument + "\" ";
  line += "> \"" + outputPath + "\"";
  childRunC run;
  const auto start = std::chrono::steady_clock::now();
  run.exitCode = std::system(line.c_str());
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}

#endif

}  // namespace lorvane::bench

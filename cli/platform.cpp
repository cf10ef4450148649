#include "lorvane/cli/platform.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cstdlib>

#if defined(_WIN32)
#  define WIN32_LEAN_AND_MEAN
#  include <fcntl.h>
#  include <io.h>
#  include <windows.h>
#else
#  include <dlfcn.h>
#  include <fcntl.h>
#  include <sys/mman.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

namespace lorvane::cli {

// What an interruption removes: a fixed table, since the handler may use
// nothing that allocates or locks. A path is written before its slot is
// marked used, and the handler reads only used slots.
namespace {

constexpr std::size_t kCleanupSlots = 8;
constexpr std::size_t kCleanupPathBytes = 4096;

struct cleanupSlotC {
  std::atomic<bool> used{false};
  char path[kCleanupPathBytes];
};

cleanupSlotC gCleanup[kCleanupSlots];

void removeRegisteredFiles();

}  // namespace

void removeOnInterruption(const std::string& path) {
  if (path.size() >= kCleanupPathBytes) return;
  for (cleanupSlotC& slot : gCleanup) {
    if (slot.used.load()) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.used.store(true);
    return;
  }
}

void dropFromInterruptionCleanup(const std::string& path) {
  for (cleanupSlotC& slot : gCleanup) {
    if (slot.used.load() && path == slot.path) slot.used.store(false);
  }
}

#if defined(_WIN32)

// The system's text for the last error, without its closing line break.
static std::string lastSystemError(const char* fallback) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                 sizeof text - 1, nullptr);
  std::string error = text[0] ? text : fallback;
  while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
  return error;
}

moduleHandleC loadModule(const std::string& path, std::string& error) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) error = lastSystemError("LoadLibrary failed");
  return {reinterpret_cast<void*>(module)};
}

void* findSymbol(moduleHandleC module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module.handle), name));
}

void unloadModule(moduleHandleC module) {
  if (module.handle) FreeLibrary(static_cast<HMODULE>(module.handle));
}

const char* pluginFileName() { return "lorvane_plugin.dll"; }

std::string executableFolder() {
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  std::string folder(path, length);
  const std::size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void setStandardInputBinary() { _setmode(_fileno(stdin), _O_BINARY); }

void setStandardOutputBinary() {
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  error = lastSystemError("MoveFileEx failed");
  return false;
}

static bool identityOfHandle(HANDLE handle, fileIdentityC& identity) {
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(handle, &information)) return false;
  identity.volume = information.dwVolumeSerialNumber;
  identity.index = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  return true;
}

bool fileIdentity(const std::string& path, fileIdentityC& identity) {
  // Opened for no access and shared in every way, so that it disturbs no one
  // else who has the file open; a folder opens only with backup semantics.
  const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool told = identityOfHandle(file, identity);
  CloseHandle(file);
  return told;
}

bool standardInputIdentity(fileIdentityC& identity) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (input == nullptr || input == INVALID_HANDLE_VALUE || GetFileType(input) != FILE_TYPE_DISK) return false;
  return identityOfHandle(input, identity);
}

namespace {

void removeRegisteredFiles() {
  for (cleanupSlotC& slot : gCleanup) {
    if (slot.used.load()) DeleteFileA(slot.path);
  }
}

// Runs on a thread of its own; ending the process here ends the
// conversion wherever it is.
BOOL WINAPI onConsoleEvent(DWORD event) {
  removeRegisteredFiles();
  ExitProcess(event == CTRL_C_EVENT ? 128 + SIGINT : event == CTRL_BREAK_EVENT ? 128 + SIGBREAK : 128 + SIGTERM);
  return TRUE;
}

}  // namespace

void installInterruptionCleanup() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }

// Such files are read whole here.
mappedFileC::~mappedFileC() = default;
bool mappedFileC::map(const std::string&) { return false; }

#else

namespace {

void removeRegisteredFiles() {
  for (cleanupSlotC& slot : gCleanup) {
    if (slot.used.load()) unlink(slot.path);
  }
}

// Only calls that are safe in a signal handler. The handler was reset to
// the default on entry: raising the signal again ends the tool by it, so
// that its parent sees the signal (a shell: status 128 + its number).
extern "C" void onInterruption(int signal) {
  removeRegisteredFiles();
  raise(signal);
}

}  // namespace

void installInterruptionCleanup() {
  struct sigaction action {};
  action.sa_handler = onInterruption;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction previous {};
    // A signal the tool was started to ignore (nohup) stays ignored.
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

moduleHandleC loadModule(const std::string& path, std::string& error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = dlerror();
    error = reason ? reason : "dlopen failed";
  }
  return {handle};
}

void* findSymbol(moduleHandleC module, const char* name) { return dlsym(module.handle, name); }

void unloadModule(moduleHandleC module) {
  if (module.handle) dlclose(module.handle);
}

const char* pluginFileName() { return "lorvane_plugin.so"; }

std::string executableFolder() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) return {};
  std::string folder(path, static_cast<std::size_t>(length));
  const std::size_t slash = folder.find_last_of('/');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool standardErrorIsTerminal() { return isatty(fileno(stderr)) != 0; }

mappedFileC::~mappedFileC() {
  if (address_) munmap(address_, size_);
}

bool mappedFileC::map(const std::string& path) {
  const int file = open(path.c_str(), O_RDONLY);
  if (file < 0) return false;
  struct stat status;
  if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) {
    close(file);
    return false;
  }
  const auto size = static_cast<std::size_t>(status.st_size);
  int flags = MAP_PRIVATE;
#  if defined(MAP_POPULATE)
  // Every page at once: the readers go through all of them.
  flags |= MAP_POPULATE;
#  endif
  void* address = mmap(nullptr, size, PROT_READ, flags, file, 0);
  close(file);
  if (address == MAP_FAILED) return false;
  address_ = address;
  size_ = size;
  return true;
}

void setStandardInputBinary() {}

void setStandardOutputBinary() {}

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = std::strerror(errno);
  return false;
}

bool fileIdentity(const std::string& path, fileIdentityC& identity) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return false;
  identity = {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  return true;
}

bool standardInputIdentity(fileIdentityC& identity) {
  struct stat status;
  if (fstat(STDIN_FILENO, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  identity = {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  return true;
}

#endif

}  // namespace lorvane::cli

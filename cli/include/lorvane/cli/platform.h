#pragma once
// The few things the host tool needs from the operating system. This is the
// only file of the tool that differs between platforms.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lorvane::cli {

// A loaded module; null handle when loading failed (error says why).
struct moduleHandleC {
  void* handle = nullptr;
};

moduleHandleC loadModule(const std::string& path, std::string& error);
void* findSymbol(moduleHandleC module, const char* name);
void unloadModule(moduleHandleC module);

// The file name the built plug-in has on this platform.
const char* pluginFileName();
// The folder of the running executable, with a trailing separator; empty
// when it cannot be told.
std::string executableFolder();

bool standardErrorIsTerminal();

// Standard input and output take bytes untranslated from now on.
void setStandardInputBinary();
void setStandardOutputBinary();

// What tells one file from another however it is reached: two paths lead to
// the same file exactly when their identities are equal (the device and the
// inode, or the volume and the file index).
struct fileIdentityC {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const fileIdentityC&) const = default;
};

// The identity of the file path leads to, links followed. False when there
// is no such file or the system does not tell.
bool fileIdentity(const std::string& path, fileIdentityC& identity);
// The identity of the file standard input reads from; false when it is no
// file on a disk (a pipe, a terminal) or the system does not tell.
bool standardInputIdentity(fileIdentityC& identity);

// A file's bytes mapped into memory, read where they are used: a written
// file of a large drawing is hundreds of megabytes, which a copy would
// have to fill first. Where the system maps no such file (an empty one,
// a pipe, a system without mapping) the caller reads it instead.
class mappedFileC {
public:
  mappedFileC() = default;
  mappedFileC(const mappedFileC&) = delete;
  mappedFileC& operator=(const mappedFileC&) = delete;
  ~mappedFileC();

  // False when the file is not mapped; it can still be read.
  bool map(const std::string& path);
  std::string_view bytes() const { return {static_cast<const char*>(address_), size_}; }

private:
  void* address_ = nullptr;
  std::size_t size_ = 0;
};

// Interruption: on SIGINT, SIGTERM, SIGHUP and a broken pipe (on Windows
// Ctrl-C, Ctrl-Break and a closed console) the tool removes the files
// registered below and exits with 128 + the signal's number (by the signal
// itself where there are signals).
void installInterruptionCleanup();
// A file to remove when the tool is interrupted (a temporary or scratch
// file), until it is dropped again. A few at a time; the rest are left.
void removeOnInterruption(const std::string& path);
void dropFromInterruptionCleanup(const std::string& path);

// Moves the file from onto to in one step, replacing a file there; a reader
// of to sees either the old file or the new one. False with the system's
// reason in error.
bool replaceFile(const std::string& from, const std::string& to, std::string& error);

}  // namespace lorvane::cli

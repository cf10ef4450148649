#pragma once
// Where a command's output goes, written so that no file is ever lost: the
// output is written into a new file beside the target and moved into place
// only when the command succeeded. The target is never one of the inputs.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "lorvane/cli/platform.h"

namespace lorvane::cli {

// The files a command reads, each looked at once when the command starts:
// whether an output is one of them is then one look-up, however many inputs
// a catalogue has. "-" stands for the file standard input reads, when it is
// one (a pipe cannot be written over).
class inputFilesC {
public:
  explicit inputFilesC(const std::vector<std::string>& inputs);

  // The input that path leads to (the same spelling, another one, a
  // symbolic or a hard link), or null when it is none of them.
  const std::string* find(const std::string& path) const;

private:
  struct identityHashC {
    std::size_t operator()(const fileIdentityC& identity) const {
      return std::hash<std::uint64_t>()(identity.index * 0x9e3779b97f4a7c15ULL ^ identity.volume);
    }
  };
  std::unordered_map<fileIdentityC, std::string, identityHashC> byIdentity_;
  // Inputs that exist but whose identity the system did not tell: compared
  // with the output one by one, the portable way.
  std::vector<std::string> untold_;
};

// A file created under a name no other run uses, in the given folder (empty:
// the system's temporary folder). It is removed when the object goes, unless
// it was released, and when the tool is interrupted.
class temporaryFileC {
public:
  temporaryFileC() = default;
  temporaryFileC(const temporaryFileC&) = delete;
  temporaryFileC& operator=(const temporaryFileC&) = delete;
  ~temporaryFileC() { remove(); }

  // Creates the file, empty. False with the system's reason in error.
  bool create(const std::string& folder, const std::string& stem, std::string& error);
  const std::string& path() const { return path_; }
  // Keeps the file: it has been moved into place.
  void release();
  void remove();

private:
  std::string path_;
};

// The output of a command: a file path, "-" for standard output, or an
// existing device or pipe, which is written directly and never replaced.
// Whether a command has already reported that standard output takes no more
// (the tool's last check of standard output then says nothing again).
bool standardOutputFailureReported();
// "cannot write standard output", with the system's reason when errno gave one.
std::string standardOutputFailure(int reason);

class outputFileC {
public:
  // Checks the target before anything is written: it is none of inputs
  // (compared as files, so another spelling, a symbolic or a hard link of an
  // input counts), not a folder, and can be written. False with a message
  // naming the target in error.
  bool prepare(const std::string& target, const inputFilesC& inputs, std::string& error);

  // The file to write now: a temporary one, or the device itself.
  const std::string& writePath() const { return direct_ ? target_ : temporary_.path(); }
  bool toStandardOutput() const { return target_ == "-"; }
  const std::string& target() const { return target_; }

  // Writes bytes into writePath(), replacing what it holds.
  bool write(const std::string& bytes, std::string& error);
  // Puts what was written at the target. Without a commit the target stays
  // as it was and the temporary file goes.
  bool commit(std::string& error);

private:
  std::string target_;
  std::string placeAt_;  // the file a symbolic link target leads to
  bool direct_ = false;
  temporaryFileC temporary_;
};

}  // namespace lorvane::cli

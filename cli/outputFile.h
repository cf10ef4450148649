#pragma once
// Where a command's output goes, written so that no file is ever lost: the
// output is written into a new file beside the target and moved into place
// only when the command succeeded. The target is never one of the inputs.
#include <string>
#include <vector>

namespace lorvane::cli {

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
class outputFileC {
public:
  // Checks the target before anything is written: it is none of inputs
  // (compared as files, so another spelling, a symbolic or a hard link of an
  // input counts), not a folder, and can be written. False with a message
  // naming the target in error.
  bool prepare(const std::string& target, const std::vector<std::string>& inputs, std::string& error);

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

// Whether two paths name one existing file.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace lorvane::cli

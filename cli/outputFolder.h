#pragma once
// Outputs gathered in one folder (--output-dir): each input's output is
// named for the input's base name with the format's extension.
#include <set>
#include <string>

namespace lorvane::cli {

// --output and --output-dir name the same thing two ways: false, reported,
// when both are given.
bool outputOptionsAgree(const std::string& output, const std::string& folder);

class outputFolderC {
public:
  // Makes the folder if it is not there yet; false, reported, when it cannot
  // be made or is something else. An empty name opens none: each output
  // then goes where the command puts it by default.
  bool open(const std::string& folder);
  bool active() const { return !folder_.empty(); }

  // The output of input in the folder: "DIR/part.krv" for "drawings/part.mt".
  // False with a message in error for standard input, which has no name, and
  // for an input whose output an earlier input of the batch already has
  // (a/part.mt and b/part.mt): the second would overwrite the first.
  bool outputOf(const std::string& input, const std::string& extension, std::string& output, std::string& error);

private:
  std::string folder_;
  std::set<std::string> taken_;
};

}  // namespace lorvane::cli

#pragma once
#include <string>
#include <vector>

namespace lorvane::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitConversionFailed = 1;
inline constexpr int kExitUsage = 2;

struct commonOptionsC {
  std::string modulePath;  // --module
};

int runCaps(const commonOptionsC& options);
int runFormats(const commonOptionsC& options);
int runPrint(const std::vector<std::string>& inputs);
int runConvert(const commonOptionsC& options, const std::vector<std::string>& arguments);
int runPreview(const commonOptionsC& options, const std::vector<std::string>& arguments);
int runCheck(const commonOptionsC& options, const std::vector<std::string>& arguments);
int runLint(const std::vector<std::string>& arguments);

// Reads a whole file ("-" is standard input) as bytes.
bool readInputFile(const std::string& path, std::string& bytes, std::string& error);
void printError(const std::string& message);

}  // namespace lorvane::cli

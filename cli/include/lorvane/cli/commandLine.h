#pragma once
// The one command-line parser of the tool. Each command declares its options
// once, in a table; the parsing, the messages for arguments that do not fit
// and every help text are made from those tables.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::cli {

enum class optionKind {
  flag,    // --name
  value,   // --name VALUE, --name=VALUE, -x VALUE
  choice,  // a value out of a list, taken in any case
};

struct optionC {
  const char* name;       // the long form without its dashes: "output"
  char letter;            // the short form "-o"; '\0' for none
  optionKind kind;
  const char* valueName;  // "PATH"; for a choice the values: "svg|png"
  const char* help;       // what it does, for the command's help
};

// The options more than one command takes, spelt alike in each; what they
// take and do differs by command.
constexpr optionC outputOption(const char* help) { return {"output", 'o', optionKind::value, "PATH", help}; }
constexpr optionC outputFolderOption(const char* help) {
  return {"output-dir", 'O', optionKind::value, "DIR", help};
}
constexpr optionC formatOption(optionKind kind, const char* valueName, const char* help) {
  return {"format", 'f', kind, valueName, help};
}

// How many INPUT operands a command takes.
enum class inputCount { none, one, many };

struct commandSyntaxC {
  std::span<const optionC> options;
  inputCount inputs;
  const char* description;  // the command's help between usage and options
  const char* exitStatus;   // closes the command's help; may be empty
};

// What the command line asked for: the options given (a later one of the
// same name wins) and the inputs, in order.
class argumentsC {
public:
  bool has(std::string_view name) const;
  // The value given last; empty when the option was not given. A choice
  // comes back spelt as its table spells it.
  std::string value(std::string_view name) const;
  const std::vector<std::string>& inputs() const { return inputs_; }

  void add(std::string_view name, std::string value);
  void addInput(std::string input) { inputs_.push_back(std::move(input)); }

private:
  struct givenC {
    std::string name;
    std::string value;
  };
  std::vector<givenC> given_;
  std::vector<std::string> inputs_;
};

// The options every command takes besides its own: --module and --help.
extern const std::span<const optionC> kCommonOptions;

enum class optionTaken { notAnOption, taken, failed };

// Takes arguments[at] (and its value, advancing at) when it is one of the
// options of either table; an argument that starts with a dash and is none
// of them fails. error is set on failure, without the hint where to find
// help.
optionTaken takeOption(std::span<const optionC> own, std::span<const optionC> common,
                       std::span<const std::string> arguments, std::size_t& at, argumentsC& parsed,
                       std::string& error);

// Reads a command's arguments (its own options, the common ones and its
// inputs; "--" ends the options, so that all after it are inputs) into parsed. False with a message for the user in error, which
// ends in where to find the command's help.
bool parseCommandArguments(const char* command, const commandSyntaxC& syntax, std::span<const std::string> arguments,
                           argumentsC& parsed, std::string& error);

// "-o|--output PATH" as the synopsis shows it; "-o, --output PATH" as the
// option list does.
std::string optionSynopsis(const optionC& option);
std::string optionLabel(const optionC& option);

// "convert [-f|--format NAME] ... INPUT...", wrapped at 80 columns with
// continued lines at indent.
std::string commandSynopsis(const char* command, const commandSyntaxC& syntax, std::size_t indent);

// The whole help of a command: usage, description, options, exit status.
std::string commandHelp(const char* command, const commandSyntaxC& syntax);

// The text wrapped at 80 columns, the first line after a prefix of
// firstWidth characters, the others indented by indent spaces.
std::string wrapped(std::string_view text, std::size_t firstWidth, std::size_t indent);

}  // namespace lorvane::cli

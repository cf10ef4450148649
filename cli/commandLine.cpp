#include "lorvane/cli/commandLine.h"

#include <algorithm>

#include "lorvane/util/asciiCase.h"
#include "outputFormats.h"

namespace lorvane::cli {
namespace {

constexpr std::size_t kLineWidth = 80;

constexpr optionC kCommonOptionTable[] = {
    {"module", '\0', optionKind::value, "PATH", "the plug-in to load (default: $LORVANE_PLUGIN, else the one beside lorvane)"},
    {"help", 'h', optionKind::flag, nullptr,
     "this text, or a command's own with lorvane COMMAND --help or lorvane help COMMAND"},
};

const optionC* findOption(std::span<const optionC> own, std::span<const optionC> common, std::string_view name,
                          char letter) {
  for (std::span<const optionC> table : {own, common}) {
    for (const optionC& option : table) {
      if (letter ? option.letter == letter : name == option.name) return &option;
    }
  }
  return nullptr;
}

// The values of a choice: "svg|png" is svg and png.
std::vector<std::string> choicesOf(const optionC& option) {
  std::vector<std::string> choices;
  std::string_view rest = option.valueName;
  for (std::size_t bar; (bar = rest.find('|')) != std::string_view::npos; rest.remove_prefix(bar + 1))
    choices.emplace_back(rest.substr(0, bar));
  choices.emplace_back(rest);
  return choices;
}

// "svg or png", "a, b or c".
std::string listed(const std::vector<std::string>& choices) {
  std::string text;
  for (std::size_t i = 0; i < choices.size(); ++i)
    text += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
  return text;
}

// "-o|--output PATH": the short form, if any, then the long one and the value.
std::string optionSpelling(const optionC& option, const char* afterLetter) {
  std::string text = option.letter ? std::string{'-', option.letter} + afterLetter : std::string();
  text += std::string("--") + option.name;
  if (option.kind != optionKind::flag) text += std::string(" ") + option.valueName;
  return text;
}

std::string joinWrapped(const std::vector<std::string>& words, std::size_t firstWidth, std::size_t indent) {
  std::string text;
  std::size_t column = firstWidth;
  bool lineStarted = false;
  for (const std::string& word : words) {
    if (lineStarted && column + 1 + word.size() > kLineWidth) {
      text += '\n' + std::string(indent, ' ');
      column = indent;
      lineStarted = false;
    }
    if (lineStarted) {
      text += ' ';
      ++column;
    }
    text += word;
    column += word.size();
    lineStarted = true;
  }
  return text;
}

}  // namespace

const std::span<const optionC> kCommonOptions{kCommonOptionTable};

bool argumentsC::has(std::string_view name) const {
  return std::any_of(given_.begin(), given_.end(), [&](const givenC& given) { return given.name == name; });
}

std::string argumentsC::value(std::string_view name) const {
  for (auto given = given_.rbegin(); given != given_.rend(); ++given) {
    if (given->name == name) return given->value;
  }
  return {};
}

void argumentsC::add(std::string_view name, std::string value) { given_.push_back({std::string(name), std::move(value)}); }

optionTaken takeOption(std::span<const optionC> own, std::span<const optionC> common,
                       std::span<const std::string> arguments, std::size_t& at, argumentsC& parsed,
                       std::string& error) {
  const std::string& argument = arguments[at];
  if (argument.size() < 2 || argument[0] != '-') return optionTaken::notAnOption;
  const bool longForm = argument[1] == '-';
  const std::size_t equals = longForm ? argument.find('=') : std::string::npos;
  const std::string spelling = argument.substr(0, equals);
  const optionC* option = nullptr;
  if (longForm) option = findOption(own, common, std::string_view(spelling).substr(2), '\0');
  else if (argument.size() == 2) option = findOption(own, common, {}, argument[1]);
  if (!option) {
    error = "unknown option " + argument;
    return optionTaken::failed;
  }
  if (option->kind == optionKind::flag) {
    if (equals != std::string::npos) {
      error = "option " + spelling + " takes no value";
      return optionTaken::failed;
    }
    parsed.add(option->name, {});
    return optionTaken::taken;
  }
  std::string value;
  if (equals != std::string::npos) {
    value = argument.substr(equals + 1);
  } else if (at + 1 < arguments.size()) {
    value = arguments[++at];
  } else {
    error = "option " + spelling + " needs a value";
    return optionTaken::failed;
  }
  if (option->kind == optionKind::choice) {
    const std::vector<std::string> choices = choicesOf(*option);
    const auto chosen = std::find(choices.begin(), choices.end(), asciiLowerCase(value));
    if (chosen == choices.end()) {
      error = "--" + std::string(option->name) + " takes " + listed(choices) + ", not " + value;
      return optionTaken::failed;
    }
    value = *chosen;
  }
  parsed.add(option->name, std::move(value));
  return optionTaken::taken;
}

bool parseCommandArguments(const char* command, const commandSyntaxC& syntax, std::span<const std::string> arguments,
                           argumentsC& parsed, std::string& error) {
  const std::string seeHelp = std::string(" (see lorvane ") + command + " --help)";
  // Help wins over anything wrong beside it; after "--" it is a file's name.
  for (const std::string& argument : arguments) {
    if (argument == "--") break;
    if (argument == "--help" || argument == "-h") {
      parsed.add("help", {});
      return true;
    }
  }
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    if (arguments[at] == "--") {
      // Whatever follows is an input, even a name that starts with a dash.
      for (++at; at < arguments.size(); ++at) parsed.addInput(arguments[at]);
      break;
    }
    switch (takeOption(syntax.options, kCommonOptions, arguments, at, parsed, error)) {
      case optionTaken::taken:
        break;
      case optionTaken::failed:
        error += seeHelp;
        return false;
      case optionTaken::notAnOption:
        parsed.addInput(arguments[at]);
        break;
    }
  }
  const std::size_t inputs = parsed.inputs().size();
  if (syntax.inputs == inputCount::none && inputs > 0) error = std::string(command) + " takes no input";
  else if (syntax.inputs != inputCount::none && inputs == 0) error = std::string(command) + " needs an input file";
  else if (syntax.inputs == inputCount::one && inputs > 1) error = std::string(command) + " takes one input";
  else return true;
  error += seeHelp;
  return false;
}

std::string optionSynopsis(const optionC& option) { return optionSpelling(option, "|"); }

std::string optionLabel(const optionC& option) { return optionSpelling(option, ", "); }

std::string commandSynopsis(const char* command, const commandSyntaxC& syntax, std::size_t indent) {
  std::vector<std::string> words{command};
  for (const optionC& option : syntax.options) words.push_back("[" + optionSynopsis(option) + "]");
  if (syntax.inputs == inputCount::one) words.emplace_back("INPUT");
  if (syntax.inputs == inputCount::many) words.emplace_back("INPUT...");
  return joinWrapped(words, indent, indent + words.front().size() + 1);
}

std::string wrapped(std::string_view text, std::size_t firstWidth, std::size_t indent) {
  std::vector<std::string> words;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t space = std::min(text.find(' ', from), text.size());
    if (space > from) words.emplace_back(text.substr(from, space - from));
    from = space + 1;
  }
  return joinWrapped(words, firstWidth, indent);
}

std::string commandHelp(const char* command, const commandSyntaxC& syntax) {
  const std::string usage = "usage: lorvane ";
  std::string text = usage + commandSynopsis(command, syntax, usage.size()) + "\n\n" + syntax.description;
  std::size_t column = 0;
  for (const optionC& option : syntax.options) column = std::max(column, 2 + optionLabel(option).size() + 2);
  for (const optionC& option : syntax.options) {
    std::string line = "  " + optionLabel(option);
    line.resize(column, ' ');
    text += line + wrapped(option.help, column, column) + "\n";
  }
  return text + syntax.exitStatus;
}

}  // namespace lorvane::cli

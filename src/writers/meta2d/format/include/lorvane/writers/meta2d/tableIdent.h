#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// One table variable as a figure's MIDENT text assigns it.
struct tableVariableC {
  // How the entry was written; the META2D file does not show it.
  static constexpr int markerUnterminated = 0;  // name ran to the end of its list
  static constexpr int markerQuery = 1;         // written with "?"
  static constexpr int markerAssign = 2;        // written with "="

  std::string name;
  std::string value;
  // Part of the entry's layout, but nothing in MIDENT fills them.
  std::string spareText;
  int spareNumber = 0;
  int marker = markerUnterminated;
};

// The table identification of a figure: the table a figure belongs to and the
// values of its variables. The variable text has an optional counted part
// (the first list) and the rest (the second list); the writer keeps the two
// apart in record 520.
class tableIdentC {
public:
  // Replaces the whole content by what `text` yields. Malformed text is not
  // an error: the table keeps what had been read when parsing gave up.
  void parse(std::string_view text);

  const std::string& tableName() const { return name_; }

  std::size_t firstCount() const { return first_.size(); }
  std::size_t secondCount() const { return second_.size(); }

  // An index past the end reads as "", like any other missing member.
  const std::string& firstName(std::size_t index) const;
  const std::string& firstValue(std::size_t index) const;
  const std::string& secondName(std::size_t index) const;
  const std::string& secondValue(std::size_t index) const;

  const std::vector<tableVariableC>& firstList() const { return first_; }
  const std::vector<tableVariableC>& secondList() const { return second_; }

private:
  void parseVariables(std::string_view text);

  std::string name_;
  std::vector<tableVariableC> first_;
  std::vector<tableVariableC> second_;
};

// The text record 520 carries for one list: every entry as "name=value" in
// double quotes, joined by ",". Query entries are written with "=" as well.
std::string tableListText(const std::vector<tableVariableC>& list);

}  // namespace lorvane

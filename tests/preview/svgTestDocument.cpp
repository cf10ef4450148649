#include "svgTestDocument.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace lorvane::preview::testing {

namespace {

bool isSeparator(char c) { return c == ' ' || c == ',' || c == '\n' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSeparator(text.back())) text.remove_suffix(1);
  return text;
}

// Reads one number at the start of text, advancing past it; false when
// there is none.
bool readNumber(std::string_view& text, double& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc{} || result.ptr == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
  return true;
}

void collect(pugi::xml_node node, const char* tag, std::vector<pugi::xml_node>& found) {
  for (pugi::xml_node child : node.children()) {
    if (std::string_view(child.name()) == tag) found.push_back(child);
    collect(child, tag, found);
  }
}

}  // namespace

svgTestDocumentC::svgTestDocumentC(const std::string& text) {
  const pugi::xml_parse_result result = document_.load_buffer(text.data(), text.size(),
                                                              pugi::parse_default | pugi::parse_declaration,
                                                              pugi::encoding_utf8);
  if (!result) {
    failure_ = std::string(result.description()) + " at offset " + std::to_string(result.offset);
  }
}

pugi::xml_node svgTestDocumentC::drawing() const {
  return root().find_child_by_attribute("svg", "id", "drawing");
}

pugi::xml_node svgTestDocumentC::flip() const { return drawing().child("g"); }

std::vector<pugi::xml_node> svgTestDocumentC::drawn(const char* tag) const {
  std::vector<pugi::xml_node> found;
  collect(flip(), tag, found);
  return found;
}

std::map<std::string, std::string> svgTestDocumentC::rule(std::string_view selector) const {
  std::map<std::string, std::string> properties;
  const std::string sheet = root().child("style").text().get();
  std::size_t at = 0;
  while (true) {
    const std::size_t open = sheet.find('{', at);
    if (open == std::string::npos) break;
    const std::size_t close = sheet.find('}', open);
    if (close == std::string::npos) break;
    const std::string_view name = trimmed(std::string_view(sheet).substr(at, open - at));
    if (name == selector) {
      std::string_view body = std::string_view(sheet).substr(open + 1, close - open - 1);
      while (!body.empty()) {
        const std::size_t end = std::min(body.find(';'), body.size());
        const std::string_view declaration = body.substr(0, end);
        const std::size_t colon = declaration.find(':');
        if (colon != std::string_view::npos) {
          properties[std::string(trimmed(declaration.substr(0, colon)))] =
              std::string(trimmed(declaration.substr(colon + 1)));
        }
        body.remove_prefix(std::min(end + 1, body.size()));
      }
    }
    at = close + 1;
  }
  return properties;
}

double number(pugi::xml_node node, const char* attribute) {
  const pugi::xml_attribute found = node.attribute(attribute);
  if (!found) return std::numeric_limits<double>::quiet_NaN();
  std::string_view text = found.value();
  double value = 0;
  if (!readNumber(text, value) || !text.empty()) return std::numeric_limits<double>::quiet_NaN();
  return value;
}

std::vector<double> numbers(std::string_view text) {
  std::vector<double> values;
  text = trimmed(text);
  double value = 0;
  while (!text.empty() && readNumber(text, value)) {
    values.push_back(value);
    text = trimmed(text);
  }
  return values;
}

std::vector<pathCommandC> pathCommands(std::string_view data) {
  std::vector<pathCommandC> commands;
  data = trimmed(data);
  while (!data.empty()) {
    if (std::isalpha(static_cast<unsigned char>(data.front()))) {
      commands.push_back({data.front(), {}});
      data.remove_prefix(1);
    } else {
      double value = 0;
      if (commands.empty() || !readNumber(data, value)) break;
      commands.back().arguments.push_back(value);
    }
    data = trimmed(data);
  }
  return commands;
}

std::vector<subpathC> subpaths(std::string_view data) {
  std::vector<subpathC> list;
  pathPointC pen;
  for (const pathCommandC& command : pathCommands(data)) {
    const std::vector<double>& v = command.arguments;
    const bool relative = std::islower(static_cast<unsigned char>(command.command)) != 0;
    const auto at = [&](double x, double y) {
      return relative ? pathPointC{pen.x + x, pen.y + y} : pathPointC{x, y};
    };
    const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(command.command)));
    if (kind == 'm' && v.size() == 2) {
      pen = at(v[0], v[1]);
      list.push_back({pen, {}, false});
      continue;
    }
    if (list.empty() || (kind == 'z' && !v.empty())) {
      ADD_FAILURE() << "path data does not start with a move: " << data;
      return list;
    }
    if (list.back().closed) list.push_back({pen, {}, false});
    pathSegmentC segment;
    segment.from = pen;
    if (kind == 'z') {
      list.back().closed = true;
      pen = list.back().start;
      continue;
    } else if (kind == 'l' && v.size() == 2) {
      segment.to = at(v[0], v[1]);
    } else if (kind == 'h' && v.size() == 1) {
      segment.to = relative ? pathPointC{pen.x + v[0], pen.y} : pathPointC{v[0], pen.y};
    } else if (kind == 'v' && v.size() == 1) {
      segment.to = relative ? pathPointC{pen.x, pen.y + v[0]} : pathPointC{pen.x, v[0]};
    } else if (kind == 'a' && v.size() == 7) {
      EXPECT_EQ(v[0], v[1]);
      EXPECT_EQ(v[2], 0);
      segment.kind = 'a';
      segment.radius = v[0];
      segment.large = v[3] == 1;
      segment.sweep = v[4] == 1;
      segment.to = at(v[5], v[6]);
    } else {
      ADD_FAILURE() << "unexpected path command " << command.command << " with " << v.size() << " numbers";
      return list;
    }
    pen = segment.to;
    list.back().segments.push_back(segment);
  }
  return list;
}

std::vector<transformC> transforms(std::string_view text) {
  std::vector<transformC> list;
  text = trimmed(text);
  while (!text.empty()) {
    const std::size_t open = text.find('(');
    const std::size_t close = text.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) break;
    list.push_back({std::string(trimmed(text.substr(0, open))),
                    numbers(text.substr(open + 1, close - open - 1))});
    text = trimmed(text.substr(close + 1));
  }
  return list;
}

}  // namespace lorvane::preview::testing

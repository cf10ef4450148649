#include "treeBuilder.h"

#include "lorvane/metatree/metaValue.h"

namespace lorvane::drawings {

metaTreeC* numberNode(double value) {
  metaValueC v;
  v.setNumber(value);
  return metaTreeC::createValueNode(v);
}

metaTreeC* stringNode(std::string_view text) {
  metaValueC v;
  v.setString(text);
  return metaTreeC::createValueNode(v);
}

metaTreeC* integerNode(std::int32_t value) {
  metaValueC v;
  v.setInteger(value);
  return metaTreeC::createValueNode(v);
}

metaTreeC* treeAppenderC::add(metaTreeC* node) {
  if (last_) metaTreeC::insertAfter(node, last_);
  else metaTreeC::appendChildren(node, parent_);
  last_ = node;
  return node;
}

metaTreeC* treeAppenderC::point(double x, double y) {
  metaTreeC* point = key("POINT");
  treeAppenderC numbers(point);
  numbers.number(x);
  numbers.number(y);
  return point;
}

metaTreeC* treeAppenderC::numberMember(std::string_view name, double value) {
  metaTreeC* member = key(name);
  treeAppenderC(member).number(value);
  return member;
}

metaTreeC* treeAppenderC::textMember(std::string_view name, std::string_view value) {
  metaTreeC* member = key(name);
  treeAppenderC(member).text(value);
  return member;
}

}  // namespace lorvane::drawings

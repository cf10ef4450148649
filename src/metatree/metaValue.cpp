#include "lorvane/metatree/metaValue.h"

namespace lorvane {

metaValueC& metaValueC::operator=(const metaValueC& other) {
  if (this == &other) return *this;
  if (other.shared_) {
    shareText(other.kind_, static_cast<sharedStrC*>(other.payload_.text));
  } else {
    switch (other.kind_) {
      case metaValueKind::key:
      case metaValueKind::string: setText(other.kind_, other.text().view()); break;
      case metaValueKind::number: setNumber(other.payload_.number); break;
      case metaValueKind::integer:
      case metaValueKind::word:
        setWord(other.payload_.word);
        kind_ = other.kind_;
        break;
      case metaValueKind::none: clear(); break;
    }
  }
  tagLine_ = other.tagLine_;
  tagExtra_ = other.tagExtra_;
  return *this;
}

void metaValueC::shareText(metaValueKind kind, sharedStrC* text) {
  // Taken before the old text goes: it may be the same one.
  text->retain();
  dropText();
  payload_.text = text;
  shared_ = true;
  kind_ = kind;
}

void metaValueC::setText(metaValueKind kind, std::string_view text) {
  if (isText() && !shared_) {
    payload_.text->assign(text);
  } else {
    str* fresh = new str(text);
    dropText();
    payload_.text = fresh;
  }
  kind_ = kind;
}

void metaValueC::setNumber(double value) {
  dropText();
  payload_.number = value;
  kind_ = metaValueKind::number;
}

void metaValueC::setInteger(std::int32_t value) {
  dropText();
  payload_.word = static_cast<std::uint32_t>(value);
  kind_ = metaValueKind::integer;
}

void metaValueC::setWord(std::uint32_t value) {
  dropText();
  payload_.word = value;
  kind_ = metaValueKind::word;
}

void metaValueC::clear() {
  dropText();
  payload_.number = 0.0;
  kind_ = metaValueKind::none;
}

void metaValueC::dropText() {
  if (isText()) {
    if (!shared_) delete payload_.text;
    else if (static_cast<sharedStrC*>(payload_.text)->letGo()) delete payload_.text;
    shared_ = false;
    payload_.number = 0.0;
    kind_ = metaValueKind::none;
  }
}

}  // namespace lorvane

#include "lorvane/metatree/metaValue.h"

#include <unordered_map>

namespace lorvane {

// Millions of values live in a tree, one in every node.
static_assert(sizeof(metaValueC) == 16);

namespace {

// Second tag words other than -1 and 0, by the value that carries them. No
// part of a conversion sets one; a host may.
std::unordered_map<const metaValueC*, std::int32_t>& storedExtras() {
  static std::unordered_map<const metaValueC*, std::int32_t> extras;
  return extras;
}

// setNumber and shareText are inline for the reader, which sets millions of
// values; hosts and plug-ins built before that call them in this library,
// which therefore still defines and exports them (a Windows DLL exports the
// inline members of its exported classes anyway).
[[gnu::used]] void (metaValueC::*const keptSetNumber)(double) = &metaValueC::setNumber;
[[gnu::used]] void (metaValueC::*const keptShareText)(metaValueKind, sharedStrC*) = &metaValueC::shareText;

}  // namespace

metaValueC& metaValueC::operator=(const metaValueC& other) {
  if (this == &other) return *this;
  if (other.shared_) {
    shareText(other.kind(), static_cast<sharedStrC*>(other.payload_.text));
  } else {
    switch (other.kind()) {
      case metaValueKind::key:
      case metaValueKind::string: setText(other.kind(), other.text().view()); break;
      case metaValueKind::number: setNumber(other.payload_.number); break;
      case metaValueKind::integer:
      case metaValueKind::word:
        setWord(other.payload_.word);
        kind_ = other.kind_;
        break;
      case metaValueKind::none: clear(); break;
    }
  }
  setTag(other.tagLine_, other.tagExtra());
  return *this;
}

std::int32_t metaValueC::storedExtra() const { return storedExtras().find(this)->second; }

void metaValueC::storeExtra(std::int32_t extra) {
  // Taken before the form changes, so a failure leaves the old tag.
  storedExtras()[this] = extra;
  extraForm_ = kExtraStored;
}

void metaValueC::forgetExtra() {
  storedExtras().erase(this);
  extraForm_ = kExtraUnset;
}

void metaValueC::setText(metaValueKind kind, std::string_view text) {
  if (isText() && !shared_) {
    payload_.text->assign(text);
  } else {
    str* fresh = new str(text);
    dropText();
    payload_.text = fresh;
  }
  setKind(kind);
}

void metaValueC::setInteger(std::int32_t value) {
  dropText();
  payload_.word = static_cast<std::uint32_t>(value);
  setKind(metaValueKind::integer);
}

void metaValueC::setWord(std::uint32_t value) {
  dropText();
  payload_.word = value;
  setKind(metaValueKind::word);
}

void metaValueC::clear() {
  dropText();
  payload_.number = 0.0;
  setKind(metaValueKind::none);
}

void metaValueC::dropText() {
  if (isText()) {
    if (!shared_) delete payload_.text;
    else if (static_cast<sharedStrC*>(payload_.text)->letGo()) delete payload_.text;
    shared_ = false;
    payload_.number = 0.0;
    setKind(metaValueKind::none);
  }
}

}  // namespace lorvane

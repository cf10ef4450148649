#pragma once
// The three-digit codes that open the records of a META2D file. The writer
// and the reader of written files both go by them: a line that starts with
// one of them and a blank is a record.

namespace lorvane {

constexpr bool isMeta2dRecordCode(int code) {
  switch (code) {
    case 100: case 200: case 250: case 500: case 511: case 515: case 520: case 900: case 901:
    case 910: case 911: case 914: case 915: case 916: case 917: case 918: case 920: case 921:
      return true;
    default:
      return false;
  }
}

}  // namespace lorvane

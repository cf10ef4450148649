#pragma once
#include <cstddef>

namespace lorvane {

// The room made ahead for an array expected to hold about count entries:
// a little more, since the figures of a drawing often grow a little from
// one to the next, and an array that outgrows its room doubles, copying
// every entry into fresh pages.
inline std::size_t roomAhead(std::size_t count) { return count + count / 16; }

// Gives back the spare room of an array that is complete, when there is
// much of it: more than the room made ahead leaves. Copying millions of
// entries into fresh pages to give back a few percent costs more than it
// saves.
template <class Array>
void giveBackSpareRoom(Array& array) {
  if (array.capacity() - array.size() > array.size() / 8) array.shrink_to_fit();
}

}  // namespace lorvane

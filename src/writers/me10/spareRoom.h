#pragma once
#include <vector>

namespace lorvane {

// Gives back the spare room of an array that is complete, when there is
// much of it. An array that was made room for ahead, as large as the one
// before it, is mostly near full; copying millions of entries into fresh
// pages to give back the last few percent costs more than it saves.
template <class T>
void giveBackSpareRoom(std::vector<T>& array) {
  if (array.capacity() - array.size() > array.size() / 16) array.shrink_to_fit();
}

}  // namespace lorvane

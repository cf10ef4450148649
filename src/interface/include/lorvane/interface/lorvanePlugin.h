#pragma once
// What a host needs to drive the converter module. The module exports three
// plain C functions; a host resolves them by name after loading the module
// and links the shared meta tree runtime itself, so that both sides share one
// memory system and one set of class registries.
//
// Threads. A host may call the exports from any of its threads, also from
// several at once: the module lets one call work at a time, and a second
// call waits until the first has returned. The meta tree runtime itself is
// not locked, and every tree of the process draws on its one memory system.
// So while a call runs, no other thread of the host may build, change, copy,
// read or destroy any meta tree (the call's own trees included) or use the
// class registries: a host may build requests on one thread and convert them
// on others, but it waits for the conversions before it touches a tree. The
// progress callback runs on the calling thread while the call holds its
// turn: it may call the exports again on that thread, but must not wait for
// another thread that calls them.
#include <cstdint>

namespace lorvane {
class metaTreeC;
}

extern "C" {

// Called with 0.0 and "" before a conversion writes and with 100.0 and ""
// after it has closed its file.
typedef void (*lorvaneProgressCallback)(double percent, const char* text);

// The capability tree ("DLLIFACE"); the caller owns and destroys it.
typedef lorvane::metaTreeC* (*lorvaneGetCapsFunction)();
// 1: the module can convert.
typedef std::int32_t (*lorvaneTestPrecondFunction)();
// 0 for a null request, else 1; a failure stands under the request's "RESTEXT".
typedef std::int32_t (*lorvaneConvertMetaTreeFunction)(lorvane::metaTreeC* request, lorvaneProgressCallback progress);

}

namespace lorvane {
inline constexpr const char* kGetCapsSymbol = "getCaps";
inline constexpr const char* kTestPrecondSymbol = "testPrecond";
inline constexpr const char* kConvertMetaTreeSymbol = "convertMetaTree";
}  // namespace lorvane

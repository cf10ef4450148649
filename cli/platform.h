#pragma once
// The few things the host tool needs from the operating system. This is the
// only file of the tool that differs between platforms.
#include <string>

namespace lorvane::cli {

// A loaded module; null handle when loading failed (error says why).
struct moduleHandleC {
  void* handle = nullptr;
};

moduleHandleC loadModule(const std::string& path, std::string& error);
void* findSymbol(moduleHandleC module, const char* name);
void unloadModule(moduleHandleC module);

// The file name the built plug-in has on this platform.
const char* pluginFileName();
// The folder of the running executable, with a trailing separator; empty
// when it cannot be told.
std::string executableFolder();

bool standardErrorIsTerminal();
// Standard input as bytes, untranslated.
bool readStandardInput(std::string& bytes);

}  // namespace lorvane::cli

// What the module needs from the operating system when it is loaded. This is
// the only file of the module that differs between platforms; elsewhere
// loading runs static initialisation only.
#if defined(_WIN32)
#  define WIN32_LEAN_AND_MEAN
#  include <windows.h>

// The module starts no threads and keeps nothing per thread: the loader need
// not call in whenever one of the host's threads starts or ends.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}
#endif

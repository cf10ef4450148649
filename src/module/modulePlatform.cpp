// What the module needs from the operating system when it is loaded. This is
// the only file of the module that differs between platforms; elsewhere
// loading runs static initialisation only.
#if defined(_WIN32)
#  define WIN32_LEAN_AND_MEAN
#  include <windows.h>

#  if defined(__MINGW32__)
// Windows refuses to switch off the thread notifications of a DLL that has a
// thread-local storage directory, and mingw's start-up code gives every DLL
// one (for its TLS callbacks) unless the DLL defines this callback itself.
// The module keeps no thread-local data, so it does without: no callback, no
// directory.
extern "C" const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = nullptr;
#  endif

// The module starts no threads and keeps nothing per thread: the loader need
// not call in whenever one of the host's threads starts or ends.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}
#endif

#pragma once
// Symbols of the shared meta tree runtime. The host and the plug-in both link
// the runtime, so it is the one place that owns the process-wide state.
#if defined(_WIN32)
#  if defined(LORVANE_RUNTIME_BUILD)
#    define LORVANE_RUNTIME_API __declspec(dllexport)
#  else
#    define LORVANE_RUNTIME_API __declspec(dllimport)
#  endif
#else
#  define LORVANE_RUNTIME_API __attribute__((visibility("default")))
#endif

#pragma once
// LORVANE_ADDRESS_SANITIZER is defined in a build with AddressSanitizer, by
// GCC's macro or by clang's feature test.
#if defined(__SANITIZE_ADDRESS__)
#  define LORVANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#  if __has_feature(address_sanitizer)
#    define LORVANE_ADDRESS_SANITIZER 1
#  endif
#endif

#ifndef VORLAN_EXPORT_H
#define VORLAN_EXPORT_H

// VORLAN_API marks what the Vorlan library exports. The library's own sources
// are compiled with VORLAN_BUILD defined; hosts include the headers without it.
#if defined(_WIN32)
#  if defined(VORLAN_BUILD)
#    define VORLAN_API __declspec(dllexport)
#  else
#    define VORLAN_API __declspec(dllimport)
#  endif
#else
#  define VORLAN_API __attribute__((visibility("default")))
#endif

#endif

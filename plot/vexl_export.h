/*
 * Export marking for the vexl33 interface.
 *
 * Every exported function and datum carries VEXL_API. The library itself is
 * compiled with VEXL_BUILDING_LIBRARY and hidden default visibility, so only
 * what is marked here leaves the shared object or DLL. A caller that links the
 * library statically defines VEXL_STATIC.
 */
#ifndef VEXL33_VEXL_EXPORT_H
#define VEXL33_VEXL_EXPORT_H

#if defined(VEXL_STATIC)
#define VEXL_API
#elif defined(_WIN32)
#if defined(VEXL_BUILDING_LIBRARY)
#define VEXL_API __declspec(dllexport)
#else
#define VEXL_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define VEXL_API __attribute__((visibility("default")))
#else
#define VEXL_API
#endif

#endif /* VEXL33_VEXL_EXPORT_H */

#pragma once
// Classes that the Ondrix executable exports to other modules. Only the executable's own build
// defines ONDRIX_EXPORTS; everywhere else (libraries, tests) the classes are plain.
#if defined(ONDRIX_EXPORTS)
#define ONDRIX_API __declspec(dllexport)
#else
#define ONDRIX_API
#endif

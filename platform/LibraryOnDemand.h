#pragma once

// A shared library loaded the first time one of its functions is called, so a program that
// never needs it (nor the libraries it brings) starts without it. For the Linux build: the
// Windows build links its libraries in.
#include <string>

namespace platform {

// Called with the loader's words when a library or one of its functions cannot be found; it
// throws, in the words of the part that needed it.
using LibraryMissing = void (*)(const std::string& why);

// The function `name` of the shared library `soname`, loading the library on first need.
void* libraryFunction(const char* soname, const char* name, LibraryMissing missing);

} // namespace platform

// Defines `name`, as the library's own header declares it, as a call passed on to the library.
#define PASSED_ON_TO(soname, missing, returned, name, parameters, arguments)                                \
    returned name parameters                                                                                  \
    {                                                                                                         \
        static decltype(name)* const call =                                                                   \
            reinterpret_cast<decltype(name)*>(platform::libraryFunction(soname, #name, missing));             \
        return call arguments;                                                                                \
    }

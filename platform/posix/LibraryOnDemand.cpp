#include "LibraryOnDemand.h"

#include <dlfcn.h>

namespace platform {

void* libraryFunction(const char* soname, const char* name, LibraryMissing missing)
{
    void* const library = dlopen(soname, RTLD_NOW | RTLD_LOCAL); // once loaded, only counted again
    if (!library) {
        const char* why = dlerror();
        missing(why ? why : soname);
        return nullptr; // never looked up without its library: the program's own namesake would be found
    }
    void* const function = dlsym(library, name);
    if (!function)
        missing(std::string(soname) + ": " + name);
    return function;
}

} // namespace platform

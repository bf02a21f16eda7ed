#pragma once

#include <dlfcn.h>

#include <initializer_list>

// A library the program links only when it needs it (the synthesiser, the print system), so a
// start that does not use it neither loads it nor waits for it.
namespace lazylibrary {

// The first of the names that loads; null when none does. It stays loaded for the run.
inline void* Open(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (void* library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL))
            return library;
    return nullptr;
}

// Points function at the library's symbol; false when it has none.
template <typename Function>
bool Resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

} // namespace lazylibrary

// Declares a pointer for each function of a list X(name) and resolves them all:
// LAZYLIBRARY_POINTERS(LIST) inside a struct, LAZYLIBRARY_RESOLVE(LIST, library, api, complete)
// where it is loaded; complete ends false when one is missing.
#define LAZYLIBRARY_POINTER(name) decltype(&::name) name = nullptr;
#define LAZYLIBRARY_POINTERS(LIST) LIST(LAZYLIBRARY_POINTER)
#define LAZYLIBRARY_RESOLVE(LIST, library, api, complete)                                                             \
    do {                                                                                                               \
        void* lazylibrary_library_ = (library);                                                                       \
        auto& lazylibrary_api_ = (api);                                                                                \
        bool& lazylibrary_complete_ = (complete);                                                                      \
        LIST(LAZYLIBRARY_RESOLVE_ONE)                                                                                  \
    } while (false)
#define LAZYLIBRARY_RESOLVE_ONE(name)                                                                                  \
    lazylibrary_complete_ =                                                                                            \
        lazylibrary::Resolve(lazylibrary_library_, #name, lazylibrary_api_.name) && lazylibrary_complete_;

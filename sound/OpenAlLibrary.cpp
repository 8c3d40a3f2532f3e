// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/OpenAlLibrary.h"

#include <dlfcn.h>
#include <mutex>

namespace {

template <class Function> bool resolve(void* library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

bool resolveAll(void* library, OpenAlLibrary& al) {
    return resolve(library, al.alcOpenDevice, "alcOpenDevice") &&
           resolve(library, al.alcCloseDevice, "alcCloseDevice") &&
           resolve(library, al.alcCreateContext, "alcCreateContext") &&
           resolve(library, al.alcDestroyContext, "alcDestroyContext") &&
           resolve(library, al.alcSetThreadContext, "alcSetThreadContext") &&
           resolve(library, al.alcIsExtensionPresent, "alcIsExtensionPresent") &&
           resolve(library, al.alcGetProcAddress, "alcGetProcAddress") &&
           resolve(library, al.alcGetIntegerv, "alcGetIntegerv") &&
           resolve(library, al.alGetError, "alGetError") &&
           resolve(library, al.alIsExtensionPresent, "alIsExtensionPresent") &&
           resolve(library, al.alGenSources, "alGenSources") &&
           resolve(library, al.alDeleteSources, "alDeleteSources") &&
           resolve(library, al.alSourcei, "alSourcei") &&
           resolve(library, al.alGetSourcei, "alGetSourcei") &&
           resolve(library, al.alSourcePlay, "alSourcePlay") &&
           resolve(library, al.alSourceStop, "alSourceStop") &&
           resolve(library, al.alGenBuffers, "alGenBuffers") &&
           resolve(library, al.alDeleteBuffers, "alDeleteBuffers") &&
           resolve(library, al.alBufferData, "alBufferData");
}

} // namespace

const OpenAlLibrary* OpenAlLibrary::load() {
    static OpenAlLibrary library;
    static const OpenAlLibrary* loaded = nullptr;
    static std::once_flag once;
    std::call_once(once, [] {
        // Kept loaded: OpenAL Soft's own threads and handlers stay with the process.
        void* handle = dlopen("libopenal.so.1", RTLD_NOW | RTLD_LOCAL);
        if (handle && resolveAll(handle, library)) {
            loaded = &library;
        } else if (handle) {
            dlclose(handle);
        }
    });
    return loaded;
}

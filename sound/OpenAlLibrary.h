// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

// The OpenAL Soft functions the sound backend calls, taken from libopenal.so.1 at run time
// instead of being linked into the program: the library, and the sound libraries it brings
// with it, are then loaded by the sound worker, off the start-up path. The names are the
// library's own.
struct OpenAlLibrary {
    LPALCOPENDEVICE alcOpenDevice;
    LPALCCLOSEDEVICE alcCloseDevice;
    LPALCCREATECONTEXT alcCreateContext;
    LPALCDESTROYCONTEXT alcDestroyContext;
    PFNALCSETTHREADCONTEXTPROC alcSetThreadContext;
    LPALCISEXTENSIONPRESENT alcIsExtensionPresent;
    LPALCGETPROCADDRESS alcGetProcAddress;
    LPALCGETINTEGERV alcGetIntegerv;
    LPALGETERROR alGetError;
    LPALISEXTENSIONPRESENT alIsExtensionPresent;
    LPALGENSOURCES alGenSources;
    LPALDELETESOURCES alDeleteSources;
    LPALSOURCEI alSourcei;
    LPALGETSOURCEI alGetSourcei;
    LPALSOURCEPLAY alSourcePlay;
    LPALSOURCESTOP alSourceStop;
    LPALGENBUFFERS alGenBuffers;
    LPALDELETEBUFFERS alDeleteBuffers;
    LPALBUFFERDATA alBufferData;

    // Loaded on the first call and kept for the life of the process; null, silently, when
    // the library is not installed or lacks one of these functions.
    static const OpenAlLibrary* load();
};

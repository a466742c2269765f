// Modules: the program and the shared libraries loaded into it. A module
// handle is the loader's own handle; 0 stands for the program. As on Windows,
// a bare library name is looked for in the program's folder first, then on
// the loader's search path; a library finds its own file (and with it the
// folder where its companions lie) from the address of any of its functions.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

// An exported function; cast it to its real type before calling.
using FARPROC = void (*)();

constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x00000002;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x00000004;

// Loads a library (or counts one more use of a loaded one). 0 on failure, with
// the last error ERROR_MOD_NOT_FOUND when no such file was found or
// ERROR_BAD_EXE_FORMAT when it was found but would not load.
HMODULE LoadLibrary(const char* fileName);
// Counts one use less; the library is unloaded after its last. The program
// itself is never unloaded.
BOOL FreeLibrary(HMODULE module);
// The exported function of that name; 0 (ERROR_PROC_NOT_FOUND) when missing.
FARPROC GetProcAddress(HMODULE module, const char* procName);
// A library that is loaded already, by its file name; the program for null.
HMODULE GetModuleHandle(const char* moduleName);
// With GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS: the module that holds the code
// or data at address (the name argument is read as that address).
BOOL GetModuleHandleEx(DWORD flags, const void* moduleNameOrAddress, HMODULE* module);
// Copies the module's full file name into buffer (0 for the program; a handle
// must name a module that is still loaded). When it does not fit it is cut to
// size - 1 characters, the answer is size and the last error
// ERROR_INSUFFICIENT_BUFFER; 0 on failure.
DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size);

namespace platform {

// The module's full file name; empty when the handle is unknown.
std::string ModuleFileName(HMODULE module);
// The full file name of the module that holds address.
std::string ModuleFileNameOf(const void* address);
// The loader's text for the last LoadLibrary that failed on this thread.
std::string LastLoadError();

} // namespace platform

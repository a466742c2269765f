// Global memory blocks, the way data is handed to and taken from the
// clipboard: a handle to a block that is locked to reach its bytes. Blocks
// never move here, but callers still lock and unlock them as on Windows.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstddef>

using HGLOBAL = HANDLE;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A new block of bytes (always zero-filled here); 0 when it cannot be had.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// The block's bytes, counting one more lock; null for an unknown handle.
void* GlobalLock(HGLOBAL memory);
// Counts one lock less; TRUE while the block stays locked.
BOOL GlobalUnlock(HGLOBAL memory);
// The block's size in bytes; 0 for an unknown handle.
std::size_t GlobalSize(HGLOBAL memory);
// Gives a block a new size (new bytes zero-filled), keeping its handle; 0
// (and the block left as it was) for an unknown handle, a locked block or
// when the memory cannot be had. Callers that lock again get the new address.
HGLOBAL GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT flags);
// Frees a block; 0 on success, the handle itself when it is unknown.
HGLOBAL GlobalFree(HGLOBAL memory);

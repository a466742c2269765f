// The clipboard of the machine: one per process, opened by one thread at a
// time, holding one data handle per format in the order they were put there.
// The clipboard owns what it is given and frees it when it is emptied or the
// format is given other data, as Windows does: memory formats hold global
// memory blocks; the drawing layer's formats (a bitmap) hold its handles,
// freed by the releaser that layer registers here, since this layer lies
// below it.
#pragma once

#include "platform/win/GlobalMemory.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_ENHMETAFILE = 14;

// Frees a handle of one of the drawing layer's formats.
using ClipboardReleaser = void (*)(HANDLE data);
// Registers the releaser of format's handles (the drawing layer does so for
// its own formats when it loads). A drawing-layer format without one keeps
// its handles unfreed; every other format holds memory blocks.
void RegisterClipboardReleaser(UINT format, ClipboardReleaser releaser);

// Opens the clipboard for the calling thread; FALSE while another thread has it open.
BOOL OpenClipboard(HWND newOwner);
// Closes it; FALSE when the calling thread does not have it open.
BOOL CloseClipboard();
// Takes everything off the clipboard, freeing what it owned; the clipboard
// must be open.
BOOL EmptyClipboard();
// Puts data on the clipboard under a format, freeing what that format held;
// the clipboard owns data from then on (the caller no longer frees it). The
// answer is the data, 0 when the clipboard is not open (the caller still
// owns data then).
HANDLE SetClipboardData(UINT format, HANDLE data);
// The data of a format; 0 when there is none or the clipboard is not open.
HANDLE GetClipboardData(UINT format);
// The format after the given one in the clipboard's order (0 asks for the
// first); 0 at the end or when the clipboard is not open.
UINT EnumClipboardFormats(UINT format);
// The number of formats on the clipboard.
int CountClipboardFormats();
// True when the clipboard holds the format.
BOOL IsClipboardFormatAvailable(UINT format);
// The number of a named format, shared with registered window messages as on
// Windows; 0 for an empty name.
UINT RegisterClipboardFormat(const char* name);

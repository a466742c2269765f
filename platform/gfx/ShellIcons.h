// The shell's icons of files and folders: SHGetFileInfo tells which image of
// the system image lists stands for a file, a folder or a kind of file (by
// extension), and the lists themselves (small 16 x 16 and large 32 x 32) are
// reached through the image list functions. The images are painted by us: a
// folder, an open folder, and a page marked by the kind of file (text,
// picture, web page, program, archive, mail, or any other document).
#pragma once

#include "platform/gfx/GdiTypes.h"
#include "platform/win/ShellFolders.h"

#include <cstdint>

struct HIMAGELIST__;
// An image list of the shell; 0 when none.
using HIMAGELIST = HIMAGELIST__*;
using DWORD_PTR = std::uintptr_t;

// What SHGetFileInfo is asked for.
constexpr UINT SHGFI_LARGEICON = 0x000000;
constexpr UINT SHGFI_SMALLICON = 0x000001;
constexpr UINT SHGFI_OPENICON = 0x000002;
constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x000010;
constexpr UINT SHGFI_ICON = 0x000100;
constexpr UINT SHGFI_DISPLAYNAME = 0x000200;
constexpr UINT SHGFI_TYPENAME = 0x000400;
constexpr UINT SHGFI_SYSICONINDEX = 0x004000;

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// Styles of ImageList_Draw (the images always keep their transparency here).
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;

// What SHGetFileInfo answers.
struct SHFILEINFO {
    // SHGFI_ICON: a new icon the caller destroys.
    HICON hIcon = nullptr;
    // The index in the system image list.
    int iIcon = 0;
    DWORD dwAttributes = 0;
    // SHGFI_DISPLAYNAME: the name as the shell shows it.
    char szDisplayName[MAX_PATH] = {};
    // SHGFI_TYPENAME: "File folder", "Text Document", "XYZ File", ...
    char szTypeName[80] = {};
};

// Describes path: without SHGFI_USEFILEATTRIBUTES the file or folder must
// exist (0 otherwise); with it only the name's extension and attributes
// (FILE_ATTRIBUTE_DIRECTORY) count. With SHGFI_SYSICONINDEX it answers the
// system image list (small with SHGFI_SMALLICON) and sets iIcon; otherwise
// nonzero on success. infoSize must be sizeof(SHFILEINFO).
DWORD_PTR SHGetFileInfo(const char* path, DWORD attributes, SHFILEINFO* info, UINT infoSize,
                        UINT flags);

// The size of the list's images; FALSE for a handle that names no list.
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// The number of images in the list (0 for a handle that names none).
int ImageList_GetImageCount(HIMAGELIST list);
// Draws image index at (x, y) of dc through its transparency.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// A new icon of image index, which the caller destroys; 0 when there is none.
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);

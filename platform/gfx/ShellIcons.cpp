// The system image lists and what SHGetFileInfo says of a file. Each image is
// painted once at each size when a list is first used, and kept as a shared
// icon. A kind of file is known by its extension, letter case ignored.
#include "platform/gfx/ShellIcons.h"

#include "platform/gfx/IconPainter.h"
#include "platform/gfx/Icons.h"
#include "platform/text/Text.h"

#include <array>
#include <cstring>
#include <mutex>
#include <string>
#include <sys/stat.h>

namespace {

using gfx::IconPainter;

enum ShellImage {
    imgDocument,
    imgFolder,
    imgOpenFolder,
    imgText,
    imgPicture,
    imgWebPage,
    imgProgram,
    imgArchive,
    imgMail,
    imgCount
};

struct Kind {
    const char* Extensions; // space-separated, lower case
    ShellImage Image;
    const char* TypeName;
};

constexpr Kind Kinds[] = {
    {"txt log ini csv", imgText, "Text Document"},
    {"png jpg jpeg gif bmp ico", imgPicture, "Picture"},
    {"htm html xml", imgWebPage, "Web Page"},
    {"exe dll com bat cmd", imgProgram, "Application"},
    {"zip 7z rar gz", imgArchive, "Compressed Archive"},
    {"msg eml", imgMail, "Mail Message"},
};

HIMAGELIST const SmallList = reinterpret_cast<HIMAGELIST>(0x5E01);
HIMAGELIST const LargeList = reinterpret_cast<HIMAGELIST>(0x5E02);

void Page(IconPainter& p, uint32_t mark) {
    auto page = [](double inset) {
        return [inset](double x, double y) {
            bool inside =
                x >= 0.16 + inset && x < 0.84 - inset && y >= 0.04 + inset && y < 0.96 - inset;
            // The folded top right corner.
            return inside && x - 0.6 <= y - 0.04;
        };
    };
    p.Paint(0x7A7A7A, page(0));
    p.Paint(0xFFFFFF, page(0.045));
    p.Paint(0xC8C8C8, IconPainter::Triangle(0.6, 0.04, 0.84, 0.28, 0.6, 0.28));
    if (mark == 0xFFFFFF)
        for (double y : {0.42, 0.56, 0.7})
            p.Paint(0x9A9A9A, IconPainter::Box(0.28, y, 0.72, y + 0.06));
    else
        p.Paint(mark, IconPainter::Box(0.28, 0.42, 0.72, 0.82));
}

void Folder(IconPainter& p, bool open) {
    p.Paint(0xC08A20, IconPainter::Box(0.04, 0.16, 0.44, 0.3));
    p.Paint(0xC08A20, IconPainter::Box(0.04, 0.24, 0.96, 0.86));
    if (open)
        p.Paint(0xF6D477, [](double x, double y) {
            return y >= 0.42 && y < 0.86 && x >= 0.04 + (0.86 - y) * 0.3 && x < 0.96;
        });
    else
        p.Paint(0xF6D477, IconPainter::Box(0.08, 0.34, 0.92, 0.82));
}

HICON PaintImage(ShellImage image, int size) {
    IconPainter p(size);
    switch (image) {
    case imgFolder:
    case imgOpenFolder:
        Folder(p, image == imgOpenFolder);
        break;
    case imgText:
        Page(p, 0xFFFFFF);
        break;
    case imgPicture:
        Page(p, 0x3C9A48);
        break;
    case imgWebPage:
        Page(p, 0x2A7BD8);
        break;
    case imgProgram:
        Page(p, 0x44546A);
        break;
    case imgArchive:
        Page(p, 0xA0702A);
        break;
    case imgMail:
        Page(p, 0xE0A800);
        break;
    default:
        Page(p, 0xB0B0B0);
        break;
    }
    return gfx::IconOfImage(p.Image(), true);
}

// The images of the small (0) or large (1) list, painted on first use.
const std::array<HICON, imgCount>& Images(bool large) {
    static std::mutex lock;
    static std::array<HICON, imgCount> lists[2] = {};
    static bool painted[2] = {false, false};
    std::lock_guard guard(lock);
    if (!painted[large]) {
        for (int i = 0; i < imgCount; ++i)
            lists[large][size_t(i)] = PaintImage(ShellImage(i), large ? 32 : 16);
        painted[large] = true;
    }
    return lists[large];
}

// Which list a handle names: 0 small, 1 large, -1 none.
int ListIndex(HIMAGELIST list) {
    return list == SmallList ? 0 : list == LargeList ? 1 : -1;
}

HICON ImageOf(HIMAGELIST list, int index) {
    int which = ListIndex(list);
    if (which < 0 || index < 0 || index >= imgCount)
        return nullptr;
    return Images(which == 1)[size_t(index)];
}

std::string Extension(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return text::LowerCase(path.substr(dot + 1));
}

const Kind* KindOf(const std::string& extension) {
    for (const Kind& kind : Kinds) {
        std::string list = std::string(" ") + kind.Extensions + " ";
        if (!extension.empty() && list.find(" " + extension + " ") != std::string::npos)
            return &kind;
    }
    return nullptr;
}

void CopyText(char* out, size_t size, const std::string& text) {
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

DWORD_PTR SHGetFileInfo(const char* path, DWORD attributes, SHFILEINFO* info, UINT infoSize,
                        UINT flags) {
    if (!path || (info && infoSize != sizeof(SHFILEINFO)))
        return 0;
    std::string name = path;
    bool folder = false;
    if (flags & SHGFI_USEFILEATTRIBUTES) {
        folder = attributes & FILE_ATTRIBUTE_DIRECTORY;
    } else {
        struct stat st {};
        if (stat(path, &st) != 0)
            return 0;
        folder = S_ISDIR(st.st_mode);
    }
    const Kind* kind = folder ? nullptr : KindOf(Extension(name));
    int index = folder ? (flags & SHGFI_OPENICON ? imgOpenFolder : imgFolder)
                       : (kind ? kind->Image : imgDocument);
    HIMAGELIST list = flags & SHGFI_SMALLICON ? SmallList : LargeList;
    if (info) {
        info->iIcon = index;
        info->dwAttributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
        if (flags & SHGFI_ICON)
            info->hIcon = CopyIcon(ImageOf(list, index));
        if (flags & SHGFI_DISPLAYNAME) {
            size_t slash = name.find_last_of("/\\");
            CopyText(info->szDisplayName, MAX_PATH,
                     slash == std::string::npos ? name : name.substr(slash + 1));
        }
        if (flags & SHGFI_TYPENAME) {
            std::string extension = text::UpperCase(Extension(name));
            CopyText(info->szTypeName, sizeof info->szTypeName,
                     folder              ? "File folder"
                     : kind              ? kind->TypeName
                     : extension.empty() ? "File"
                                         : extension + " File");
        }
    }
    return flags & SHGFI_SYSICONINDEX ? reinterpret_cast<DWORD_PTR>(list) : 1;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    int which = ListIndex(list);
    if (which < 0 || !cx || !cy)
        return FALSE;
    *cx = *cy = which == 1 ? 32 : 16;
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    return ListIndex(list) < 0 ? 0 : imgCount;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT) {
    HICON icon = ImageOf(list, index);
    return icon ? DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL) : FALSE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
    HICON icon = ImageOf(list, index);
    return icon ? CopyIcon(icon) : nullptr;
}

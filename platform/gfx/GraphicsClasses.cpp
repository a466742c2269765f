// Registration of the drawing layer's classes for stored forms.
#include "platform/gfx/GraphicsClasses.h"

#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/ImageList.h"
#include "platform/rtl/Streams.h"
#include "platform/text/Text.h"

namespace gfx {

namespace {

using forms::FormReader;
using forms::FormValue;

// The names of character sets as forms write them.
struct Charset {
    const char* Name;
    uint8_t Value;
};
constexpr Charset Charsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

// Hands binary form data to a reader of streams.
template <class T, class Read>
void FromBinary(T& target, const FormValue& value, FormReader& reader, Read read) {
    std::vector<uint8_t> bytes = forms::ReadBinary(value, reader);
    TMemoryStream stream;
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), bytes.size());
    stream.SetPosition(0);
    read(target, stream);
}

void RegisterTools(forms::FormClassTable& table) {
    table.Register<TFont>()
        .Property("Name", &TFont::SetName)
        .Property("Size", &TFont::SetSize)
        .Property("Height", &TFont::SetHeight)
        .Define("Color",
                [](TFont& f, const FormValue& v, FormReader& r) { f.SetColor(ReadColor(v, r)); })
        .SetOf("Style", &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
        .Define("Charset", [](TFont& f, const FormValue& v,
                              FormReader& r) { f.SetCharset(ReadCharset(v, r)); })
        .Enum("Pitch", &TFont::SetPitch, {"fpDefault", "fpVariable", "fpFixed"})
        .Property("Orientation", &TFont::SetOrientation);
    table.Register<TPen>()
        .Define("Color",
                [](TPen& p, const FormValue& v, FormReader& r) { p.SetColor(ReadColor(v, r)); })
        .Property("Width", &TPen::SetWidth)
        .Enum(
            "Style", &TPen::SetStyle,
            {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"})
        .Enum("Mode", &TPen::SetMode,
              {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
               "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
               "pmNotMask", "pmXor", "pmNotXor"});
    table.Register<TBrush>()
        .Define("Color",
                [](TBrush& b, const FormValue& v, FormReader& r) { b.SetColor(ReadColor(v, r)); })
        .Enum("Style", &TBrush::SetStyle,
              {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
               "bsCross", "bsDiagCross"});
}

void RegisterGraphics(forms::FormClassTable& table) {
    table.Register<TBitmap>().Define("Data", [](TBitmap& b, const FormValue& v, FormReader& r) {
        FromBinary(b, v, r, [](TBitmap& t, TStream& s) { t.ReadData(s); });
    });
    table.Register<TIcon>().Define("Data", [](TIcon& i, const FormValue& v, FormReader& r) {
        FromBinary(i, v, r, [](TIcon& t, TStream& s) { t.ReadData(s); });
    });
}

void RegisterImageLists(forms::FormClassTable& table) {
    table.Register<TCustomImageList, TComponent>()
        .Property("Width", &TCustomImageList::SetWidth)
        .Property("Height", &TCustomImageList::SetHeight)
        .Property("AllocBy", &TCustomImageList::SetAllocBy)
        .Define("BkColor", [](TCustomImageList& l, const FormValue& v,
                              FormReader& r) { l.SetBkColor(ReadColor(v, r)); })
        .Define("BlendColor", [](TCustomImageList& l, const FormValue& v,
                                 FormReader& r) { l.SetBlendColor(ReadColor(v, r)); })
        .Enum("DrawingStyle", &TCustomImageList::SetDrawingStyle,
              {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"})
        .Enum("ImageType", &TCustomImageList::SetImageType, {"itImage", "itMask"})
        .Property("Masked", &TCustomImageList::SetMasked)
        .Property("ShareImages", &TCustomImageList::SetShareImages)
        .Enum("ColorDepth", &TCustomImageList::SetColorDepth,
              {"cdDeviceDependent", "cd4Bit", "cd8Bit", "cd16Bit", "cd24Bit", "cd32Bit"})
        .Define("Bitmap",
                [](TCustomImageList& l, const FormValue& v, FormReader& r) {
                    FromBinary(l, v, r, [](TCustomImageList& t, TStream& s) { t.ReadData(s); });
                })
        .Event("OnChange", &TCustomImageList::OnChange);
    table.Register<TImageList, TCustomImageList>();
}

} // namespace

void RegisterGraphicsClasses(forms::FormClassTable& table) {
    if (table.Find("TBitmap"))
        return;
    RegisterTools(table);
    RegisterGraphics(table);
    RegisterImageLists(table);
}

TColor ReadColor(const FormValue& value, FormReader& reader) {
    if (value.Type == FormValue::Kind::Identifier) {
        if (auto color = IdentToColor(value.Text))
            return *color;
        reader.Fail("Invalid property value: " + value.Text + " is not a colour");
    }
    return static_cast<TColor>(forms::ReadInteger(value, reader, INT32_MIN, UINT32_MAX));
}

uint8_t ReadCharset(const FormValue& value, FormReader& reader) {
    if (value.Type == FormValue::Kind::Identifier) {
        for (const Charset& c : Charsets)
            if (text::SameText(value.Text, c.Name))
                return c.Value;
        reader.Fail("Invalid property value: " + value.Text + " is not a character set");
    }
    return static_cast<uint8_t>(forms::ReadInteger(value, reader, 0, 255));
}

} // namespace gfx

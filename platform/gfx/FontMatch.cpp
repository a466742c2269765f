// Face matching through fontconfig, with a table of the matches made so far.
#include "platform/gfx/FontMatch.h"

#include "platform/win/DebugOutput.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>

namespace gfx {

namespace {

using Request = std::tuple<std::string, bool, bool>;

std::string StringOf(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

int IntOf(FcPattern* pattern, const char* object, int fallback) {
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

FontFile Match(FcConfig* config, const std::string& face, bool bold, bool italic) {
    FontFile file;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Outlines only: they are what FreeType hints and rotates.
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, pattern, &result);
    if (found) {
        file.Path = StringOf(found, FC_FILE);
        file.Index = IntOf(found, FC_INDEX, 0);
        file.Family = StringOf(found, FC_FAMILY);
        // Where the family has no bold or italic design, fontconfig's rules
        // set the weight or slant asked for and mark the match to be
        // emboldened or slanted: that is drawing by hand too.
        FcBool embolden = FcFalse;
        FcPatternGetBool(found, FC_EMBOLDEN, 0, &embolden);
        FcMatrix* matrix = nullptr;
        bool slanted = FcPatternGetMatrix(found, FC_MATRIX, 0, &matrix) == FcResultMatch &&
                       matrix && matrix->xy != 0;
        file.Bold = IntOf(found, FC_WEIGHT, FC_WEIGHT_REGULAR) >= FC_WEIGHT_DEMIBOLD && !embolden;
        file.Italic = IntOf(found, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN && !slanted;
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    return file;
}

void Report(const std::string& face, bool bold, bool italic, const FontFile& file) {
    std::string style = bold && italic ? " bold italic" : bold ? " bold" : italic ? " italic" : "";
    std::string line = "Font \"" + face + "\"" + style + ": ";
    if (file.Path.empty())
        line += "no installed font matches; text is drawn as blocks";
    else
        // The family only: the file's path would differ from machine to machine.
        line += "drawn with " + file.Family + (bold && !file.Bold ? ", emboldened" : "") +
                (italic && !file.Italic ? ", slanted" : "");
    OutputDebugString(line.c_str());
}

} // namespace

FontFile MatchFont(const std::string& face, bool bold, bool italic) {
    static std::mutex lock;
    static std::map<Request, FontFile> matches;
    static bool loaded = false;
    std::lock_guard guard(lock);
    Request request{face, bold, italic};
    auto known = matches.find(request);
    if (known != matches.end())
        return known->second;
    if (!loaded && FcInit()) {
        loaded = true;
        // fontconfig's tables are given back when the process ends, so that
        // the leak checker sees none of them.
        std::atexit(FcFini);
    }
    FcConfig* config = loaded ? FcConfigGetCurrent() : nullptr;
    FontFile file = config ? Match(config, face, bold, italic) : FontFile{};
    Report(face, bold, italic, file);
    return matches.emplace(request, file).first->second;
}

} // namespace gfx

#include "platform/gfx/gfx_font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace gfx {

namespace {

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

bool Bold(const FontDescription& description) {
    return description.weight >= 600;
}

Pattern Match(FcConfig* config, const FontDescription& description, const char* family,
              bool monospaced) {
    Pattern pattern(FcPatternCreate());
    if (!pattern) return nullptr;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                        Bold(description) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT,
                        description.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (monospaced) FcPatternAddInteger(pattern.get(), FC_SPACING, FC_MONO);
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return Pattern(FcFontMatch(config, pattern.get(), &result));
}

bool Monospaced(const FcPattern* match) {
    int spacing = FC_PROPORTIONAL;
    return FcPatternGetInteger(match, FC_SPACING, 0, &spacing) == FcResultMatch &&
           spacing >= FC_MONO;
}

// The face at path and index, with what the rasteriser must add to it to
// look as described.
FontFile Described(const FcPattern* face, const std::string& path, int index,
                   const FontDescription& description) {
    FontFile file;
    file.path = path;
    file.index = index;
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(face, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(face, FC_SLANT, 0, &slant);
    file.embolden = Bold(description) && weight < FC_WEIGHT_DEMIBOLD;
    file.slant = description.italic && slant == FC_SLANT_ROMAN;
    return file;
}

}  // namespace

std::optional<FontFile> FindFontFile(const FontDescription& description) {
    std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    if (!config) return std::nullopt;
    const std::string face = description.faceName.empty() ? "sans-serif" : description.faceName;
    Pattern match = Match(config.get(), description, face.c_str(), description.fixedPitch);
    if (match && description.fixedPitch && !Monospaced(match.get()))
        match = Match(config.get(), description, "monospace", true);
    if (!match) return std::nullopt;

    FcChar8* path = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch || !path)
        return std::nullopt;
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return Described(match.get(), reinterpret_cast<const char*>(path), index, description);
}

std::optional<FontFile> FontFileAt(const std::string& path, const FontDescription& description) {
    int faces = 0;
    Pattern face(
        FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.c_str()), 0, nullptr, &faces));
    if (!face) return std::nullopt;
    return Described(face.get(), path, 0, description);
}

}  // namespace gfx

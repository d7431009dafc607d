#include "platform/desktop/text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace desktop {

namespace {
constexpr int maxFontZoom = 8;
// DejaVu Sans at 11 pixels a line is 13 pixels high: textLineHeight.
constexpr int fontPixelsPerZoom = 11;
// Without a font, layouts still need widths: an average letter's.
constexpr int fallbackLetterWidth = portable::defaultCharacterWidth;

struct Fonts {
    std::string path;
    bool open = false;
    bool triedLazily = false;
    bool startedTtf = false;
    TTF_Font* byZoom[maxFontZoom + 1] = {};
};
Fonts fonts;

int ClampZoom(int zoom)
{
    return std::min(std::max(zoom, 1), maxFontZoom);
}

// The font for a zoom, opened when first needed; null when no font can be
// opened. A drawing call before OpenFonts opens them itself, once.
TTF_Font* FontFor(int zoom)
{
    if (!fonts.open && !fonts.triedLazily) {
        fonts.triedLazily = true;
        OpenFonts();
    }
    if (!fonts.open)
        return nullptr;
    zoom = ClampZoom(zoom);
    if (fonts.byZoom[zoom] == nullptr)
        fonts.byZoom[zoom] = TTF_OpenFont(fonts.path.c_str(), fontPixelsPerZoom * zoom);
    return fonts.byZoom[zoom];
}

// The file fontconfig chooses for a font name, or "".
std::string MatchFont(const char* name)
{
    std::string path;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    if (pattern == nullptr)
        return path;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
        path = reinterpret_cast<const char*>(file);
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return path;
}

// BLASTGRID_FONT when set; else DejaVu Sans wherever the system keeps it,
// else whatever sans font fontconfig offers.
std::string ChooseFontPath()
{
    const char* chosen = std::getenv("BLASTGRID_FONT");
    if (chosen != nullptr && *chosen != '\0')
        return chosen;
    if (!FcInit())
        return "";
    std::string path = MatchFont("DejaVu Sans:style=Book");
    if (path.empty())
        path = MatchFont("sans-serif");
    // The path is all we keep; fontconfig's configuration and caches go.
    FcFini();
    return path;
}

// The text as shown: '&' marks taken out ("&&" stays one '&'), with the
// byte position of the first marked letter (npos when none).
struct ShownText {
    std::string text;
    size_t mnemonic = std::string::npos;
};

ShownText WithoutMarks(const std::string& text)
{
    ShownText shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && shown.mnemonic == std::string::npos)
                shown.mnemonic = shown.text.size();
        } else if (text[i] == '&') {
            continue;
        }
        shown.text.push_back(text[i]);
    }
    return shown;
}

// The length in bytes of the UTF-8 character starting at `position`.
size_t CharacterLength(const std::string& text, size_t position)
{
    size_t length = 1;
    while (position + length < text.size() && (static_cast<unsigned char>(text[position + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

int MeasureWidth(TTF_Font* font, const std::string& text)
{
    int width = 0;
    int height = 0;
    if (text.empty() || TTF_SizeUTF8(font, text.c_str(), &width, &height) != 0)
        return 0;
    return width;
}
}  // namespace

bool OpenFonts()
{
    if (fonts.open)
        return true;
    if (!TTF_WasInit()) {
        if (TTF_Init() != 0) {
            std::fprintf(stderr, "blastgrid: cannot start the font renderer: %s\n", TTF_GetError());
            return false;
        }
        fonts.startedTtf = true;
    }
    fonts.path = ChooseFontPath();
    TTF_Font* font = fonts.path.empty() ? nullptr : TTF_OpenFont(fonts.path.c_str(), fontPixelsPerZoom);
    if (font == nullptr) {
        std::fprintf(stderr,
                     "blastgrid: cannot open a font%s%s%s\n"
                     "Install fonts-dejavu-core, or set BLASTGRID_FONT to a TrueType font file.\n",
                     fonts.path.empty() ? "" : " (", fonts.path.c_str(), fonts.path.empty() ? "" : ")");
        return false;
    }
    fonts.byZoom[1] = font;
    fonts.open = true;
    return true;
}

void CloseFonts()
{
    for (TTF_Font*& font : fonts.byZoom) {
        if (font != nullptr)
            TTF_CloseFont(font);
        font = nullptr;
    }
    if (fonts.startedTtf)
        TTF_Quit();
    fonts = Fonts();
}

std::string FontPath()
{
    return fonts.path;
}

int TextWidth(const std::string& text)
{
    const ShownText shown = WithoutMarks(text);
    TTF_Font* font = FontFor(1);
    if (font == nullptr)
        return static_cast<int>(shown.text.size()) * fallbackLetterWidth;
    return MeasureWidth(font, shown.text);
}

void DrawText(Canvas& canvas, int x, int y, const std::string& text, portable::Rgb colour)
{
    const ShownText shown = WithoutMarks(text);
    TTF_Font* font = FontFor(canvas.zoom);
    if (canvas.surface == nullptr || font == nullptr || shown.text.empty())
        return;
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, shown.text.c_str(),
                                                   SDL_Color{colour.r, colour.g, colour.b, 255});
    if (rendered == nullptr)
        return;
    const SDL_Rect corner = SurfaceRect(canvas, {x, y, x, y});
    SDL_Rect destination = {corner.x, corner.y, rendered->w, rendered->h};
    SDL_SetSurfaceBlendMode(rendered, SDL_BLENDMODE_BLEND);
    SDL_BlitSurface(rendered, nullptr, canvas.surface, &destination);
    SDL_FreeSurface(rendered);

    if (shown.mnemonic == std::string::npos)
        return;
    // The underline: one program pixel just below the baseline, as wide as
    // the marked letter.
    const std::string before = shown.text.substr(0, shown.mnemonic);
    const size_t letterLength = CharacterLength(shown.text, shown.mnemonic);
    const int start = MeasureWidth(font, before);
    const int end = MeasureWidth(font, shown.text.substr(0, shown.mnemonic + letterLength));
    const int zoom = ClampZoom(canvas.zoom);
    FillSurfaceRect(canvas, SDL_Rect{corner.x + start, corner.y + TTF_FontAscent(font) + zoom / 2, end - start, zoom},
                    colour);
}

std::string WithoutMnemonics(const std::string& text)
{
    std::string escaped;
    for (char letter : text) {
        escaped.push_back(letter);
        if (letter == '&')
            escaped.push_back('&');
    }
    return escaped;
}

}  // namespace desktop

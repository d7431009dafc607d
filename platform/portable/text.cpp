// Texts: the program's code page as UTF-8 for presenters, and the width of
// text in the presenter's font for the window system's own layouts.
#include "platform/portable/window_system.h"

namespace portable {

namespace {
// Windows-1252's characters 0x80 to 0x9F; 0 marks the five it leaves out.
const char16_t highControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}
}  // namespace

std::string Utf8FromAnsi(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        char32_t code = byte;
        if (byte >= 0x80 && byte < 0xA0)
            code = highControls[byte - 0x80] != 0 ? highControls[byte - 0x80] : 0xFFFD;
        AppendUtf8(out, code);
    }
    return out;
}

std::string WithoutMnemonicMarks(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        out.push_back(text[i]);
    }
    return out;
}

int TextWidth(const std::string& ansi)
{
    const System& system = TheSystem();
    if (system.textMeasure)
        return system.textMeasure(Utf8FromAnsi(ansi));
    return static_cast<int>(ansi.size()) * defaultCharacterWidth;
}

void SetTextMeasure(std::function<int(const std::string& utf8)> measure)
{
    TheSystem().textMeasure = std::move(measure);
    ForgetMenuLayouts();
    NoteChange();
}

}  // namespace portable

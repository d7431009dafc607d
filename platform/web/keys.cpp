#include "platform/web/keys.h"

#include "platform/win32.h"

namespace web {

namespace {
bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// "F1" to "F12": the function key's number, else 0.
int FunctionKeyNumber(const std::string& code)
{
    if (code.size() < 2 || code.size() > 3 || code[0] != 'F')
        return 0;
    int number = 0;
    for (size_t i = 1; i < code.size(); ++i) {
        if (code[i] < '0' || code[i] > '9')
            return 0;
        number = number * 10 + (code[i] - '0');
    }
    return (number >= 1 && number <= 12 && code[1] != '0') ? number : 0;
}

bool EndsWithDigit(const std::string& code, const char* prefix, char* digit)
{
    const std::string start(prefix);
    if (code.size() != start.size() + 1 || code.compare(0, start.size(), start) != 0)
        return false;
    const char last = code.back();
    if (last < '0' || last > '9')
        return false;
    *digit = last;
    return true;
}

struct NamedKey {
    const char* code;
    int virtualKey;
};

const NamedKey namedKeys[] = {
    {"Enter", VK_RETURN},        {"NumpadEnter", VK_RETURN},  {"Escape", VK_ESCAPE},
    {"Backspace", VK_BACK},      {"Tab", VK_TAB},             {"Space", VK_SPACE},
    {"ArrowLeft", VK_LEFT},      {"ArrowRight", VK_RIGHT},    {"ArrowUp", VK_UP},
    {"ArrowDown", VK_DOWN},      {"ShiftLeft", VK_SHIFT},     {"ShiftRight", VK_SHIFT},
    {"ControlLeft", VK_CONTROL}, {"ControlRight", VK_CONTROL}, {"AltLeft", VK_MENU},
    {"AltRight", VK_MENU},
};
}  // namespace

int VirtualKeyOf(const std::string& code, const std::string& key)
{
    if (code.size() == 4 && code.compare(0, 3, "Key") == 0 && IsLetter(code[3])) {
        if (key.size() == 1 && IsLetter(key[0]))
            return Upper(key[0]);
        return Upper(code[3]);
    }
    char digit = 0;
    if (EndsWithDigit(code, "Digit", &digit) || EndsWithDigit(code, "Numpad", &digit))
        return digit;
    const int function = FunctionKeyNumber(code);
    if (function != 0)
        return VK_F1 + function - 1;
    for (const NamedKey& named : namedKeys)
        if (code == named.code)
            return named.virtualKey;
    return 0;
}

bool KeepFromBrowser(int virtualKey, bool control, bool meta)
{
    if (virtualKey == 0 || control || meta)
        return false;
    const int f5 = VK_F1 + 4;
    const int f11 = VK_F1 + 10;
    const int f12 = VK_F1 + 11;
    return virtualKey != f5 && virtualKey != f11 && virtualKey != f12;
}

}  // namespace web

// Menus, loaded from the MENU statement of the program's resource script:
// POPUP and MENUITEM lines between BEGIN and END (or braces), with the
// CHECKED and GRAYED options and MENUITEM SEPARATOR.
#include <cctype>
#include <cstdlib>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
struct Token {
    enum Kind { Word, Text, Number, Comma, End } kind;
    std::string value;
};


struct Tokenizer {
    const std::string& source;
    size_t position = 0;
};

void SkipSpaceAndComments(Tokenizer& tokenizer)
{
    const std::string& s = tokenizer.source;
    size_t& i = tokenizer.position;
    for (;;) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        if (s.compare(i, 2, "//") == 0 || (i < s.size() && s[i] == '#')) {
            while (i < s.size() && s[i] != '\n')
                ++i;
        } else if (s.compare(i, 2, "/*") == 0) {
            const size_t close = s.find("*/", i + 2);
            i = close == std::string::npos ? s.size() : close + 2;
        } else {
            return;
        }
    }
}

// A quoted string: "" stands for a quote, \t for a tab, \\ for a backslash.
std::string ReadText(Tokenizer& tokenizer)
{
    const std::string& s = tokenizer.source;
    size_t& i = tokenizer.position;
    std::string text;
    for (++i; i < s.size(); ++i) {
        if (s[i] == '"') {
            if (i + 1 < s.size() && s[i + 1] == '"') {
                text.push_back('"');
                ++i;
                continue;
            }
            ++i;
            break;
        }
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char escaped = s[++i];
            text.push_back(escaped == 't' ? '\t' : escaped == 'n' ? '\n' : escaped);
            continue;
        }
        text.push_back(s[i]);
    }
    return text;
}

Token Next(Tokenizer& tokenizer)
{
    SkipSpaceAndComments(tokenizer);
    const std::string& s = tokenizer.source;
    size_t& i = tokenizer.position;
    if (i >= s.size())
        return {Token::End, ""};
    if (s[i] == '"')
        return {Token::Text, ReadText(tokenizer)};
    if (s[i] == ',') {
        ++i;
        return {Token::Comma, ","};
    }
    if (s[i] == '{' || s[i] == '}') {
        return {Token::Word, s[i++] == '{' ? "BEGIN" : "END"};
    }
    const size_t start = i;
    while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])) && s[i] != ',' && s[i] != '"' &&
           s[i] != '{' && s[i] != '}')
        ++i;
    std::string word = s.substr(start, i - start);
    const bool number = std::isdigit(static_cast<unsigned char>(word[0])) != 0;
    return {number ? Token::Number : Token::Word, word};
}

Menu* NewMenu()
{
    TheSystem().menus.push_back(std::make_unique<Menu>());
    return TheSystem().menus.back().get();
}

// Reads the items of one BEGIN ... END block; the BEGIN has been read.
Menu* ParseBlock(Tokenizer& tokenizer)
{
    Menu* menu = NewMenu();
    for (Token token = Next(tokenizer); token.kind != Token::End; token = Next(tokenizer)) {
        if (SameName(token.value, "END"))
            return menu;
        MenuItem item;
        const bool popup = SameName(token.value, "POPUP");
        if (!popup && !SameName(token.value, "MENUITEM"))
            return nullptr;
        Token label = Next(tokenizer);
        if (!popup && SameName(label.value, "SEPARATOR")) {
            item.flags = MF_SEPARATOR;
            menu->items.push_back(item);
            continue;
        }
        if (label.kind != Token::Text)
            return nullptr;
        item.text = label.value;
        // Options up to the line's end: an id, CHECKED, GRAYED, commas.
        size_t lineEnd = tokenizer.source.find('\n', tokenizer.position);
        if (lineEnd == std::string::npos)
            lineEnd = tokenizer.source.size();
        while (tokenizer.position < lineEnd) {
            const size_t before = tokenizer.position;
            Token option = Next(tokenizer);
            if (tokenizer.position > lineEnd) {
                tokenizer.position = before;
                break;
            }
            if (option.kind == Token::Number)
                item.id = static_cast<UINT>(std::strtoul(option.value.c_str(), nullptr, 0));
            else if (SameName(option.value, "CHECKED"))
                item.flags |= MF_CHECKED;
            else if (SameName(option.value, "GRAYED"))
                item.flags |= MF_GRAYED;
        }
        if (popup) {
            if (!SameName(Next(tokenizer).value, "BEGIN"))
                return nullptr;
            item.flags |= MF_POPUP;
            item.popup = reinterpret_cast<HMENU>(ParseBlock(tokenizer));
            if (item.popup == nullptr)
                return nullptr;
        }
        menu->items.push_back(item);
    }
    return nullptr;
}

Menu* MenuOf(HMENU menu)
{
    for (const auto& owned : TheSystem().menus)
        if (reinterpret_cast<HMENU>(owned.get()) == menu)
            return owned.get();
    return nullptr;
}

MenuItem* ItemOf(HMENU menu, UINT item, UINT flags)
{
    Menu* record = MenuOf(menu);
    if (record == nullptr)
        return nullptr;
    if (flags & MF_BYPOSITION)
        return item < record->items.size() ? &record->items[item] : nullptr;
    for (MenuItem& candidate : record->items) {
        if (candidate.flags & MF_POPUP) {
            if (MenuItem* inner = ItemOf(candidate.popup, item, flags))
                return inner;
        } else if (!(candidate.flags & MF_SEPARATOR) && candidate.id == item) {
            return &candidate;
        }
    }
    return nullptr;
}
}  // namespace

}  // namespace portable

using namespace portable;

HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name)
{
    (void)instance;
    if (name == nullptr || IS_INTRESOURCE(name))
        return nullptr;
    const std::string script = ResourceScript();
    Tokenizer tokenizer{script};
    Token previous = {Token::End, ""};
    for (Token token = Next(tokenizer); token.kind != Token::End; token = Next(tokenizer)) {
        if (SameName(token.value, "MENU") && (previous.kind == Token::Word || previous.kind == Token::Text) &&
            SameName(previous.value, name)) {
            if (!SameName(Next(tokenizer).value, "BEGIN"))
                return nullptr;
            return reinterpret_cast<HMENU>(ParseBlock(tokenizer));
        }
        previous = token;
    }
    return nullptr;
}

HMENU WINAPI GetMenu(HWND window)
{
    const Window* record = FindWindowRecord(window);
    return record == nullptr ? nullptr : record->menu;
}

HMENU WINAPI GetSubMenu(HMENU menu, int position)
{
    const MenuItem* item = position < 0 ? nullptr : ItemOf(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return item == nullptr ? nullptr : item->popup;
}

// Checks item `check` as a radio item and unchecks the others of the range;
// as in the real system, an unchecked item keeps its radio type, positions
// past the end and separators are passed over, and the result tells whether
// `check` was found in the range.
BOOL WINAPI CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    if (!(flags & MF_BYPOSITION))
        return FALSE;
    Menu* record = MenuOf(menu);
    if (record == nullptr)
        return FALSE;
    BOOL done = FALSE;
    for (UINT position = first; position <= last && position < record->items.size(); ++position) {
        MenuItem& item = record->items[position];
        if (item.flags & MF_SEPARATOR)
            continue;
        if (position == check) {
            item.flags |= MF_CHECKED | MFT_RADIOCHECK;
            done = TRUE;
        } else {
            item.flags &= ~MF_CHECKED;
        }
    }
    NoteChange();
    return done;
}

int WINAPI GetMenuItemCount(HMENU menu)
{
    const Menu* record = MenuOf(menu);
    return record == nullptr ? -1 : static_cast<int>(record->items.size());
}

UINT WINAPI GetMenuItemID(HMENU menu, int position)
{
    const MenuItem* item = position < 0 ? nullptr : ItemOf(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (item == nullptr || (item->flags & MF_POPUP))
        return static_cast<UINT>(-1);
    return item->id;
}

UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags)
{
    const MenuItem* record = ItemOf(menu, item, flags);
    return record == nullptr ? static_cast<UINT>(-1) : record->flags;
}

int WINAPI GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags)
{
    const MenuItem* record = ItemOf(menu, item, flags);
    if (record == nullptr)
        return 0;
    if (text == nullptr || maxCount <= 0)
        return static_cast<int>(record->text.size());
    return CopyText(record->text, text, maxCount);
}

#include "platform/web/scene.h"

#include <cstdio>

namespace web {

namespace {
std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    // Trailing zeros say nothing and make every frame's text longer.
    std::string result = text;
    while (!result.empty() && result.back() == '0')
        result.pop_back();
    if (!result.empty() && result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string Bool(bool value)
{
    return value ? "true" : "false";
}

// A rectangle in screen coordinates, on the page.
std::string PageRect(const PageMap& map, const RECT& rect)
{
    return "[" + Number(PageX(map, rect.left)) + "," + Number(PageY(map, rect.top)) + "," +
           Number(PageLength(map, rect.right - rect.left)) + "," + Number(PageLength(map, rect.bottom - rect.top)) +
           "]";
}

// A rectangle in a window's client coordinates, on the page.
RECT OnScreen(const RECT& client, const RECT& rect)
{
    return RECT{client.left + rect.left, client.top + rect.top, client.left + rect.right, client.top + rect.bottom};
}

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

const char* KindName(driver::ControlKind kind)
{
    switch (kind) {
    case driver::ControlKind::Label:
        return "label";
    case driver::ControlKind::Picture:
        return "picture";
    case driver::ControlKind::Field:
        return "field";
    case driver::ControlKind::Button:
        return "button";
    case driver::ControlKind::Panel:
        break;
    }
    return "panel";
}

const char* IconName(driver::BoxIcon icon)
{
    switch (icon) {
    case driver::BoxIcon::Stop:
        return "stop";
    case driver::BoxIcon::Question:
        return "question";
    case driver::BoxIcon::Exclamation:
        return "exclamation";
    case driver::BoxIcon::Information:
        return "information";
    case driver::BoxIcon::None:
        break;
    }
    return "";
}

const char* AlignmentOf(const driver::ControlView& control)
{
    if (control.kind != driver::ControlKind::Label)
        return "left";
    switch (control.style & SS_TYPEMASK) {
    case SS_CENTER:
        return "center";
    case SS_RIGHT:
        return "right";
    default:
        return "left";
    }
}

std::string ControlsJson(const std::vector<driver::ControlView>& controls, const RECT& client, const PageMap& map)
{
    std::string json = "[";
    for (const driver::ControlView& control : controls) {
        if (control.kind == driver::ControlKind::Picture)
            continue;  // pictures are in the client area's pixels
        if (json.size() > 1)
            json += ",";
        json += "{\"kind\":\"" + std::string(KindName(control.kind)) + "\",\"r\":" +
                PageRect(map, OnScreen(client, control.rect)) + ",\"text\":" + JsonString(control.text) +
                ",\"align\":\"" + AlignmentOf(control) + "\",\"focus\":" + Bool(control.focused) +
                ",\"pressed\":" + Bool(control.pressed) + ",\"enabled\":" + Bool(control.enabled) +
                ",\"sunken\":" + Bool((control.exStyle & WS_EX_CLIENTEDGE) != 0) + "}";
    }
    return json + "]";
}

std::string TitlesJson(const std::vector<driver::MenuTitleView>& titles, const PageMap& map)
{
    std::string json = "[";
    for (const driver::MenuTitleView& title : titles) {
        if (json.size() > 1)
            json += ",";
        json += "{\"text\":" + JsonString(title.text) + ",\"r\":" + PageRect(map, title.rect) +
                ",\"sel\":" + Bool(title.selected) + ",\"open\":" + Bool(title.open) + "}";
    }
    return json + "]";
}

std::string BoxJson(const driver::MessageBoxView& box, const RECT& client, const PageMap& map)
{
    std::string json = "{\"icon\":\"" + std::string(IconName(box.icon)) + "\",\"iconRect\":" +
                       PageRect(map, OnScreen(client, box.iconRect)) + ",\"lines\":[";
    for (size_t i = 0; i < box.lines.size(); ++i) {
        const driver::TextLine& line = box.lines[i];
        json += std::string(i ? "," : "") + "{\"text\":" + JsonString(line.text) + ",\"x\":" +
                Number(PageX(map, client.left + line.at.x)) + ",\"y\":" + Number(PageY(map, client.top + line.at.y)) +
                "}";
    }
    json += "],\"button\":{\"r\":" + PageRect(map, OnScreen(client, box.button)) + ",\"text\":" +
            JsonString(box.buttonText) + ",\"pressed\":" + Bool(box.buttonPressed) +
            ",\"focus\":" + Bool(box.buttonFocused) + "}}";
    return json;
}

std::string WindowJson(const Scene& scene, size_t index, const PageMap& map)
{
    const driver::WindowView& view = scene.windows[index];
    const RECT& frame = view.frame;
    const RECT& client = view.client;
    const LONG border = client.left - frame.left;
    const RECT caption = CaptionOf(view);
    std::string json = "{\"id\":" + std::to_string(reinterpret_cast<uintptr_t>(view.window)) +
                       ",\"title\":" + JsonString(view.title) + ",\"main\":" + Bool(!IsEmpty(view.menuBar)) +
                       ",\"active\":" + Bool(view.active) + ",\"enabled\":" + Bool(view.enabled) +
                       ",\"box\":" + Bool(view.messageBox) + ",\"frame\":" + PageRect(map, frame) +
                       ",\"border\":" + Number(PageLength(map, border)) +
                       ",\"caption\":" + (IsEmpty(caption) ? std::string("null") : PageRect(map, caption)) +
                       ",\"close\":" + (IsEmpty(caption) ? std::string("null") : PageRect(map, CloseBoxOf(caption))) +
                       ",\"menu\":" + (IsEmpty(view.menuBar) ? std::string("null") : PageRect(map, view.menuBar)) +
                       ",\"client\":" + PageRect(map, client) + ",\"clientSize\":[" +
                       std::to_string(client.right - client.left) + "," + std::to_string(client.bottom - client.top) +
                       "]";
    if (index < scene.menuBars.size() && !scene.menuBars[index].empty())
        json += ",\"titles\":" + TitlesJson(scene.menuBars[index], map);
    if (index < scene.controls.size() && !scene.controls[index].empty())
        json += ",\"controls\":" + ControlsJson(scene.controls[index], client, map);
    for (const driver::MessageBoxView& box : scene.boxes)
        if (box.window == view.window)
            json += ",\"messageBox\":" + BoxJson(box, client, map);
    return json + "}";
}

std::string DropDownJson(const driver::DropDownView& dropDown, const PageMap& map)
{
    std::string json = "{\"r\":" + PageRect(map, dropDown.rect) + ",\"items\":[";
    for (size_t i = 0; i < dropDown.items.size(); ++i) {
        const driver::MenuItemView& item = dropDown.items[i];
        json += std::string(i ? "," : "") + "{\"text\":" + JsonString(item.text) + ",\"key\":" +
                JsonString(item.keyText) + ",\"r\":" + PageRect(map, item.rect) + ",\"sep\":" +
                Bool(item.separator) + ",\"gray\":" + Bool(item.grayed) + ",\"check\":" + Bool(item.checked) +
                ",\"radio\":" + Bool(item.radio) + ",\"sel\":" + Bool(item.selected) + "}";
    }
    return json + "]}";
}
}  // namespace

RECT CaptionOf(const driver::WindowView& view)
{
    const LONG border = view.client.left - view.frame.left;
    const LONG bottom = IsEmpty(view.menuBar) ? view.client.top : view.menuBar.top;
    if (bottom - (view.frame.top + border) <= 0)
        return RECT{0, 0, 0, 0};
    return RECT{view.frame.left + border, view.frame.top + border, view.frame.right - border, bottom};
}

RECT CloseBoxOf(const RECT& caption)
{
    const LONG size = caption.bottom - caption.top - 4;
    if (size <= 0)
        return RECT{0, 0, 0, 0};
    return RECT{caption.right - 2 - size, caption.top + 2, caption.right - 2, caption.top + 2 + size};
}

std::string JsonString(const std::string& text)
{
    std::string json = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\r') {
            json += "\\r";
        } else if (c == '\t') {
            json += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;  // UTF-8 passes as it is
        }
    }
    return json + "\"";
}

std::string SceneJson(const Scene& scene, const PageMap& map)
{
    std::string json = "{\"scale\":" + Number(PageLength(map, 1)) + ",\"text\":" +
                       Number(PageLength(map, textPixels)) + ",\"line\":" +
                       Number(PageLength(map, driver::textLineHeight)) + ",\"titlePad\":" +
                       Number(PageLength(map, driver::menuTitlePadding)) + ",\"gutter\":" +
                       Number(PageLength(map, driver::menuGutterWidth)) + ",\"keyMargin\":" +
                       Number(PageLength(map, driver::menuKeyMargin)) + ",\"windows\":[";
    for (size_t i = 0; i < scene.windows.size(); ++i)
        json += std::string(i ? "," : "") + WindowJson(scene, i, map);
    json += "],\"dropDown\":" + (scene.dropDownOpen ? DropDownJson(scene.dropDown, map) : std::string("null"));
    json += ",\"touch\":";
    if (scene.touch.visible)
        json += "{\"x\":" + Number(scene.touch.x) + ",\"y\":" + Number(scene.touch.y) + ",\"long\":" +
                Bool(scene.touch.longPressed) + ",\"start\":" + Number(scene.touch.startTime) + "}";
    else
        json += "null";
    return json + ",\"ended\":" + Bool(scene.ended) + ",\"exitCode\":" + std::to_string(scene.exitCode) + "}";
}

}  // namespace web

// TEMPORARY, until the window system offers platform/portable/driver.h:
// its presenter calls over the layer's test controls (testing.h). This is
// the one file of the web presenter that includes testing.h. What those
// controls cannot answer yet is answered with "none": no menu is ever in
// use (a press on the bar does nothing), no message box is ever on screen
// (MessageBoxA answers OK at once, as it does in tests), Alt and F10 are
// not delivered (the layer would take Alt+H for H). Everything else is the
// layer's own behaviour.
#include "platform/web/driver_adapter.h"

#include <emscripten.h>

#include <cstring>

#include "platform/portable/testing.h"

namespace driver {

namespace {
std::function<int(const std::string&)> textMeasure;
bool shiftDown = false;
bool altDown = false;
uint64_t changeCount = 0;

// The layer's own frame: its menu bar is 20 pixels above the client area.
constexpr int menuBarHeight = 20;
constexpr int menuTitlePadding = 6;

static_assert(sizeof(Rgb) == 3 && sizeof(portable::Rgb) == 3, "pixels are three bytes in both");

Image ImageOf(const portable::Image& source)
{
    Image image;
    image.width = source.width;
    image.height = source.height;
    image.pixels.resize(source.pixels.size());
    std::memcpy(image.pixels.data(), source.pixels.data(), source.pixels.size() * sizeof(Rgb));
    return image;
}

portable::Image LayerImageOf(const Image& source)
{
    portable::Image image;
    image.width = source.width;
    image.height = source.height;
    for (const Rgb& pixel : source.pixels)
        image.pixels.push_back(portable::Rgb{pixel.r, pixel.g, pixel.b});
    return image;
}

int MeasureText(const std::string& text)
{
    return textMeasure ? textMeasure(text) : static_cast<int>(text.size()) * defaultCharacterWidth;
}

std::string Unmarked(const std::string& text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

// Any window serves to give the layer a screen point: its injection calls
// take client coordinates of a window and find the window under the point.
bool ClientPointOf(POINT screen, HWND* window, POINT* client)
{
    const std::vector<HWND> windows = portable::TopLevelWindows();
    if (windows.empty())
        return false;
    *window = windows.front();
    *client = screen;
    ScreenToClient(*window, client);
    return true;
}

portable::MouseButton LayerButton(MouseButton button)
{
    return button == MouseButton::Left ? portable::MouseButton::Left : portable::MouseButton::Right;
}

std::string LowerCase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string TextOf(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
}  // namespace

void SetTickSource(std::function<DWORD()> source)
{
    if (source)
        portable::SetTickCount(source());
    portable::SetTickSource(std::move(source));
}

void SetScreenSize(int width, int height)
{
    portable::SetScreenSize(width, height);
}

void SetTextMeasure(std::function<int(const std::string& utf8)> measure)
{
    textMeasure = std::move(measure);
}

void SetInputSource(InputSource source)
{
    portable::SetInputSource(std::move(source));
}

bool WaitingForInput()
{
    return portable::WaitingForInput();
}

void MovePointer(POINT screen)
{
    HWND window = nullptr;
    POINT client;
    if (ClientPointOf(screen, &window, &client))
        portable::MoveMouse(window, client.x, client.y);
}

void PressButton(MouseButton button, POINT screen)
{
    HWND window = nullptr;
    POINT client;
    if (ClientPointOf(screen, &window, &client))
        portable::PressMouse(window, LayerButton(button), client.x, client.y);
}

void ReleaseButton(MouseButton button, POINT screen)
{
    HWND window = nullptr;
    POINT client;
    if (ClientPointOf(screen, &window, &client))
        portable::ReleaseMouse(window, LayerButton(button), client.x, client.y);
}

void KeyDown(int virtualKey, bool repeat)
{
    if (virtualKey == VK_SHIFT)
        shiftDown = true;
    if (virtualKey == VK_MENU)
        altDown = true;
    if (virtualKey == VK_MENU || virtualKey == VK_F10 || altDown)
        return;
    portable::KeyDown(virtualKey, shiftDown, repeat);
}

void KeyUp(int virtualKey)
{
    if (virtualKey == VK_SHIFT)
        shiftDown = false;
    if (virtualKey == VK_MENU) {
        altDown = false;
        return;
    }
    if (virtualKey == VK_F10 || altDown)
        return;
    portable::KeyUp(virtualKey);
}

void RequestClose(HWND topLevel)
{
    portable::ClickCloseBox(topLevel);
}

void ActivateTopLevel(HWND topLevel)
{
    portable::ActivateTopLevel(topLevel);
}

void EndSession(int exitCode)
{
    PostQuitMessage(exitCode);
}

std::vector<WindowView> VisibleWindows()
{
    std::vector<WindowView> views;
    const HWND focus = GetFocus();
    for (HWND window : portable::TopLevelWindows()) {
        if (!IsWindowVisible(window))
            continue;
        WindowView view;
        view.window = window;
        view.title = TextOf(window);
        GetWindowRect(window, &view.frame);
        RECT client;
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        view.client = RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
        if (GetMenu(window) != nullptr)
            view.menuBar = RECT{origin.x, origin.y - menuBarHeight, origin.x + client.right, origin.y};
        view.active = focus != nullptr && (focus == window || GetParent(focus) == window);
        view.enabled = IsWindowEnabled(window) != FALSE;
        views.push_back(view);
    }
    return views;
}

std::vector<MenuTitleView> MenuBarOf(HWND window)
{
    std::vector<MenuTitleView> titles;
    const HMENU bar = GetMenu(window);
    if (bar == nullptr)
        return titles;
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    LONG left = origin.x;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        char text[128] = "";
        GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        MenuTitleView title;
        title.text = text;
        const LONG width = MeasureText(Unmarked(title.text)) + 2 * menuTitlePadding;
        title.rect = RECT{left, origin.y - menuBarHeight, left + width, origin.y};
        left += width;
        titles.push_back(title);
    }
    return titles;
}

bool OpenDropDown(DropDownView*)
{
    return false;
}

std::vector<MessageBoxView> OpenMessageBoxes()
{
    return {};
}

std::vector<ControlView> ControlsOf(HWND topLevel)
{
    std::vector<ControlView> controls;
    const HWND focus = GetFocus();
    for (HWND child : portable::ChildWindows(topLevel)) {
        if (!IsWindowVisible(child))
            continue;
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        const std::string name = LowerCase(className);
        ControlView control;
        control.window = child;
        control.style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        control.exStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
        if (name == "edit")
            control.kind = ControlKind::Field;
        else if (name == "button")
            control.kind = ControlKind::Button;
        else if (name == "static")
            control.kind = (control.style & SS_TYPEMASK) == SS_BITMAP ? ControlKind::Picture : ControlKind::Label;
        else
            control.kind = ControlKind::Panel;
        RECT rect;
        GetWindowRect(child, &rect);
        POINT topLeft = {rect.left, rect.top};
        ScreenToClient(topLevel, &topLeft);
        control.rect =
            RECT{topLeft.x, topLeft.y, topLeft.x + rect.right - rect.left, topLeft.y + rect.bottom - rect.top};
        control.text = TextOf(child);
        control.enabled = IsWindowEnabled(child) != FALSE;
        control.focused = child == focus;
        controls.push_back(control);
    }
    return controls;
}

Image RenderClientArea(HWND window)
{
    return ImageOf(portable::RenderClientArea(window));
}

Image RenderClientArea(HWND window, RECT area)
{
    Image whole = RenderClientArea(window);
    if (area.left <= 0 && area.top <= 0 && area.right >= whole.width && area.bottom >= whole.height)
        return whole;
    if (area.left < 0)
        area.left = 0;
    if (area.top < 0)
        area.top = 0;
    if (area.right > whole.width)
        area.right = whole.width;
    if (area.bottom > whole.height)
        area.bottom = whole.height;
    Image part;
    if (area.right <= area.left || area.bottom <= area.top)
        return part;
    part.width = area.right - area.left;
    part.height = area.bottom - area.top;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            part.pixels.push_back(whole.At(x, y));
    return part;
}

// The test controls cannot tell what changed: everything may have.
uint64_t DisplayChangeCount()
{
    return ++changeCount;
}

bool TakeDamage(HWND window, RECT* area)
{
    return GetClientRect(window, area) != FALSE;
}

Icon IconResource(const char* name)
{
    const portable::Icon source = portable::IconResource(name);
    Icon icon;
    icon.image = ImageOf(source.image);
    icon.opaque = source.opaque;
    return icon;
}

Image BitmapResource(const char* name)
{
    return ImageOf(portable::BitmapResource(name));
}

bool WritePng(const Image& image, const std::string& path)
{
    return portable::WritePng(LayerImageOf(image), path);
}

}  // namespace driver

// While no menu can be opened, the end-to-end test and the benchmark choose
// the menu's commands here, as a click on the item would send them. Its
// presence tells them the window system's menus and boxes are not there yet.
extern "C" EMSCRIPTEN_KEEPALIVE int BlastgridAdapterChooseMenuItem(int command)
{
    for (HWND window : portable::TopLevelWindows())
        if (GetMenu(window) != nullptr)
            return portable::ChooseMenuItem(window, static_cast<UINT>(command)) ? 1 : 0;
    return 0;
}

// The message boxes shown so far, each answered at once, and the title of
// the last: the test sees that a box came, though not on the page.
extern "C" EMSCRIPTEN_KEEPALIVE int BlastgridAdapterBoxCount()
{
    return static_cast<int>(portable::MessageBoxLog().size());
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* BlastgridAdapterLastBoxTitle()
{
    const std::vector<portable::MessageBoxCall>& log = portable::MessageBoxLog();
    return log.empty() ? "" : log.back().title.c_str();
}

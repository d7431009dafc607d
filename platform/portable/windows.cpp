// Window classes, windows, their geometry, text and focus.
#include <algorithm>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
// The frame the layer really gives a top-level window; AdjustWindowRect
// estimates a thinner one, as a real system's estimate may be off, so that
// callers must measure the client area and correct the size. The menu bar
// takes SM_CYMENU for each line its titles need at the window's width.
constexpr int frameBorder = 3;
constexpr int frameCaption = 19;
constexpr int estimatedBorder = 1;
constexpr int estimatedCaption = 18;
constexpr int estimatedMenuBar = 19;

bool IsChild(const Window& window)
{
    return (window.style & WS_CHILD) != 0;
}

bool HasCaption(const Window& window)
{
    // Overlapped windows always get a title bar; pop-ups only when asked.
    if (IsChild(window))
        return false;
    return (window.style & WS_POPUP) == 0 || (window.style & WS_CAPTION) == WS_CAPTION;
}

WindowClass* FindClass(const char* name)
{
    if (name == nullptr)
        return nullptr;
    for (auto& windowClass : TheSystem().classes)
        if (SameName(windowClass->name, name))
            return windowClass.get();
    return nullptr;
}

bool CanActivate(HWND handle)
{
    const Window* record = FindWindowRecord(handle);
    return record != nullptr && !IsChild(*record) && record->visible && record->enabled && !record->destroying;
}

// Whether `inner` is `outer` or one of its descendants.
bool IsWithin(HWND inner, HWND outer)
{
    for (const Window* record = FindWindowRecord(inner); record != nullptr;) {
        if (inner == outer)
            return true;
        if (!IsChild(*record))
            return false;
        inner = record->parent;
        record = FindWindowRecord(inner);
    }
    return false;
}

void ForgetChild(HWND parent, uint32_t id)
{
    auto& childrenOf = TheSystem().childrenOf;
    const auto found = childrenOf.find(parent);
    if (found == childrenOf.end())
        return;
    found->second.erase(id);
    if (found->second.empty())
        childrenOf.erase(found);
}

void Unlink(HWND handle)
{
    auto& zOrder = TheSystem().zOrder;
    zOrder.erase(std::remove(zOrder.begin(), zOrder.end(), handle), zOrder.end());
}

// Hides a window: the active window passes activation on, and a focus
// inside a hidden child goes back to its parent.
void HideWindow(HWND handle)
{
    Window* record = FindWindowRecord(handle);
    if (record == nullptr || !record->visible)
        return;
    NoteWindowDamage(handle);
    record->visible = false;
    System& system = TheSystem();
    if (!IsChild(*record)) {
        if (system.active == handle)
            ActivateOtherWindow(handle);
    } else if (system.focus != nullptr && IsWithin(system.focus, handle)) {
        SetFocusWindow(record->parent);
    }
}

// Destroys `window` and everything it owns or contains, sending WM_DESTROY
// to each as the real system does: the window is hidden first; then its
// owned windows are destroyed, topmost first; then it receives WM_DESTROY,
// then its children, in the order they were made, each before its own.
void DestroyTree(HWND handle)
{
    Window* window = FindWindowRecord(handle);
    if (window == nullptr || window->destroying)
        return;
    HideWindow(handle);
    FindWindowRecord(handle)->destroying = true;

    System& system = TheSystem();
    if (!(FindWindowRecord(handle)->style & WS_CHILD)) {
        const std::vector<HWND> zOrder = system.zOrder;
        for (HWND owned : zOrder) {
            const Window* record = FindWindowRecord(owned);
            if (record != nullptr && record->owner == handle)
                DestroyTree(owned);
        }
    }
    if (system.active == handle)
        ActivateOtherWindow(handle);
    SendMessageA(handle, WM_DESTROY, 0, 0);
    for (HWND child : ChildWindows(handle))
        DestroyTree(child);

    if (system.focus == handle)
        system.focus = nullptr;
    if (system.active == handle)
        system.active = nullptr;
    if (system.capture == handle)
        ReleaseCapture();
    Unlink(handle);
    NoteChange();
    if (system.lastPress.window == handle)
        system.lastPress.valid = false;
    window = FindWindowRecord(handle);
    if (window != nullptr) {
        system.paintQueue.erase(window->id);
        if (IsChild(*window))
            ForgetChild(window->parent, window->id);
        system.windows.erase(window->id);
    }
}
// The rectangle a window at (x, y) of that size gets: an overlapped
// top-level window keeps within the system's maximum and minimum sizes.
RECT PlacedRect(DWORD style, int x, int y, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!(style & (WS_CHILD | WS_POPUP))) {
        width = std::min(width, GetSystemMetrics(SM_CXMAXTRACK));
        height = std::min(height, GetSystemMetrics(SM_CYMAXTRACK));
        width = std::max(width, minimumTrackWidth);
        height = std::max(height, minimumTrackHeight);
    }
    return {x, y, x + width, y + height};
}
}  // namespace

// Left, top, right and bottom thickness of the frame around the client area.
RECT FrameOf(const Window& window)
{
    if (IsChild(window))
        return {0, 0, 0, 0};
    int top = frameBorder;
    if (HasCaption(window))
        top += frameCaption;
    if (window.menu != nullptr) {
        const int barWidth = window.rect.right - window.rect.left - 2 * frameBorder;
        top += LayOutMenuBar(window.menu, barWidth).lines * GetSystemMetrics(SM_CYMENU);
    }
    return {frameBorder, top, frameBorder, frameBorder};
}

RECT MenuBarRectOf(const Window& window)
{
    if (IsChild(window) || window.menu == nullptr)
        return {0, 0, 0, 0};
    const LONG top = window.rect.top + frameBorder + (HasCaption(window) ? frameCaption : 0);
    return {window.rect.left + frameBorder, top, window.rect.right - frameBorder,
            window.rect.top + FrameOf(window).top};
}

void MarkForPaint(HWND window, bool needsPaint)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return;
    record->needsPaint = needsPaint;
    if (needsPaint)
        TheSystem().paintQueue.insert(record->id);
    else
        TheSystem().paintQueue.erase(record->id);
}

HWND RootOf(HWND window)
{
    const Window* record = FindWindowRecord(window);
    while (record != nullptr && IsChild(*record)) {
        window = record->parent;
        record = FindWindowRecord(window);
    }
    return record == nullptr ? nullptr : window;
}

void ActivateWindow(HWND window)
{
    System& system = TheSystem();
    if (window == nullptr) {
        system.active = nullptr;
        SetFocusWindow(nullptr);
        return;
    }
    // To the top, with the windows it owns above it, in their order.
    std::vector<HWND> owned;
    for (HWND other : system.zOrder) {
        const Window* record = FindWindowRecord(other);
        if (record != nullptr && record->owner == window)
            owned.push_back(other);
    }
    Unlink(window);
    for (HWND other : owned)
        Unlink(other);
    system.zOrder.insert(system.zOrder.begin(), window);
    system.zOrder.insert(system.zOrder.begin(), owned.begin(), owned.end());
    system.active = window;
    NoteChange();
    SetFocusWindow(window);
}

void SetFocusWindow(HWND window)
{
    System& system = TheSystem();
    const HWND previous = system.focus;
    if (previous == window)
        return;
    if (previous != nullptr && FindWindowRecord(previous) != nullptr) {
        NoteWindowDamage(previous);
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    system.focus = window;
    NoteWindowDamage(window);
    if (window != nullptr && FindWindowRecord(window) != nullptr)
        SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

void ActivateOtherWindow(HWND window)
{
    System& system = TheSystem();
    const Window* record = FindWindowRecord(window);
    if (record != nullptr && (record->style & WS_POPUP) && CanActivate(RootOf(record->owner))) {
        ActivateWindow(RootOf(record->owner));
        return;
    }
    const std::vector<HWND> zOrder = system.zOrder;
    auto self = std::find(zOrder.begin(), zOrder.end(), window);
    if (self != zOrder.end()) {
        for (auto next = self + 1; next != zOrder.end(); ++next) {
            if (CanActivate(*next)) {
                ActivateWindow(*next);
                return;
            }
        }
    }
    for (HWND candidate : zOrder) {
        if (candidate == window)
            break;
        if (CanActivate(candidate)) {
            ActivateWindow(candidate);
            return;
        }
    }
    ActivateWindow(nullptr);
}

HWND HandleOf(uint32_t id)
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
}

Window* FindWindowRecord(HWND window)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(window);
    if (value == 0 || value > UINT32_MAX)
        return nullptr;
    auto found = TheSystem().windows.find(static_cast<uint32_t>(value));
    return found == TheSystem().windows.end() ? nullptr : &found->second;
}

RECT ClientRectOf(const Window& window)
{
    const RECT frame = FrameOf(window);
    const LONG width = window.rect.right - window.rect.left - frame.left - frame.right;
    const LONG height = window.rect.bottom - window.rect.top - frame.top - frame.bottom;
    return {0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
}

POINT ClientOriginOnScreen(const Window& window)
{
    POINT origin = {window.rect.left, window.rect.top};
    if (IsChild(window)) {
        const Window* parent = FindWindowRecord(window.parent);
        if (parent != nullptr) {
            const POINT parentOrigin = ClientOriginOnScreen(*parent);
            origin.x += parentOrigin.x;
            origin.y += parentOrigin.y;
        }
        return origin;
    }
    const RECT frame = FrameOf(window);
    origin.x += frame.left;
    origin.y += frame.top;
    return origin;
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    const auto& childrenOf = TheSystem().childrenOf;
    const auto found = childrenOf.find(parent);
    if (found == childrenOf.end())
        return children;
    children.reserve(found->second.size());
    for (uint32_t id : found->second)
        children.push_back(HandleOf(id));
    return children;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    for (const auto& entry : TheSystem().windows)
        if (!(entry.second.style & WS_CHILD))
            windows.push_back(HandleOf(entry.first));
    return windows;
}

int WindowCount()
{
    return static_cast<int>(TheSystem().windows.size());
}

uint64_t WindowsCreated()
{
    return TheSystem().windowsCreated;
}

void RegisterSystemClasses()
{
    extern LRESULT CALLBACK StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
    extern LRESULT CALLBACK EditWindowProc(HWND, UINT, WPARAM, LPARAM);
    extern LRESULT CALLBACK ButtonWindowProc(HWND, UINT, WPARAM, LPARAM);
    const struct {
        const char* name;
        WNDPROC proc;
    } systemClasses[] = {
        {"Static", StaticWindowProc},
        {"Edit", EditWindowProc},
        {"Button", ButtonWindowProc},
        {messageBoxClass, MessageBoxWindowProc},
    };
    for (const auto& entry : systemClasses) {
        WNDCLASSEXA record = {};
        record.cbSize = sizeof(record);
        record.lpfnWndProc = entry.proc;
        record.lpszClassName = entry.name;
        record.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        RegisterClassExA(&record);
    }
}

bool IsSystemClass(const Window& window)
{
    const std::string& name = window.windowClass->name;
    return SameName(name, "Static") || SameName(name, "Edit") || SameName(name, "Button") ||
           SameName(name, messageBoxClass);
}

}  // namespace portable

using namespace portable;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* record)
{
    if (record == nullptr || record->cbSize != sizeof(WNDCLASSEXA) || record->lpszClassName == nullptr ||
        record->lpfnWndProc == nullptr || FindClass(record->lpszClassName) != nullptr)
        return 0;
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->name = record->lpszClassName;
    windowClass->record = *record;
    windowClass->record.lpszClassName = windowClass->name.c_str();
    windowClass->record.lpszMenuName = nullptr;
    TheSystem().classes.push_back(std::move(windowClass));
    return static_cast<ATOM>(0xC000 + TheSystem().classes.size());
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    (void)param;
    System& system = TheSystem();
    const WindowClass* windowClass = FindClass(className);
    if (windowClass == nullptr)
        return nullptr;
    if ((style & WS_CHILD) && FindWindowRecord(parent) == nullptr)
        return nullptr;

    Window window;
    window.id = system.nextWindowId++;
    window.windowClass = windowClass;
    window.text = windowName ? windowName : "";
    window.style = style;
    window.exStyle = exStyle;
    window.rect = PlacedRect(style, x, y, width, height);
    if (style & WS_CHILD) {
        window.parent = parent;
        window.controlId = static_cast<int>(reinterpret_cast<uintptr_t>(menu));
    } else {
        window.owner = parent;
        window.menu = menu;
    }
    window.visible = (style & WS_VISIBLE) != 0;
    window.enabled = (style & WS_DISABLED) == 0;
    const bool paintNow = window.visible;
    if (SameName(windowClass->name, "Static") && (style & SS_TYPEMASK) == SS_BITMAP &&
        (reinterpret_cast<uintptr_t>(instance) >> 16) != 0) {
        // A picture: shows the bitmap named by its text, sized to the bitmap.
        // The control loads a bitmap object of its own, which it never
        // releases, from the module instance it is given (none without one).
        window.bitmap = LoadBitmapA(instance, window.text.c_str());
        if (const Bitmap* bitmap = BitmapOfObject(window.bitmap))
            window.rect = {x, y, x + bitmap->width, y + bitmap->height};
    }

    const HWND handle = HandleOf(window.id);
    if (style & WS_CHILD)
        system.childrenOf[parent].insert(window.id);
    system.windows.emplace(window.id, std::move(window));
    ++system.windowsCreated;
    if (!(style & WS_CHILD))
        system.zOrder.insert(system.zOrder.begin(), handle);
    MarkForPaint(handle, paintNow);
    NoteWindowDamage(handle);

    if (SendMessageA(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    // A top-level window made visible is shown after WM_CREATE, and showing
    // it activates it.
    if (!(style & WS_CHILD) && CanActivate(handle))
        ActivateWindow(handle);
    return handle;
}

BOOL WINAPI DestroyWindow(HWND window)
{
    if (FindWindowRecord(window) == nullptr)
        return FALSE;
    DestroyTree(window);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window)
{
    return FindWindowRecord(window) != nullptr;
}

BOOL WINAPI IsWindowVisible(HWND window)
{
    for (const Window* record = FindWindowRecord(window); record != nullptr; record = FindWindowRecord(record->parent))
        if (!record->visible)
            return FALSE;
    return FindWindowRecord(window) != nullptr;
}

BOOL WINAPI IsWindowEnabled(HWND window)
{
    const Window* record = FindWindowRecord(window);
    return record != nullptr && record->enabled;
}

// A window disabled loses the keyboard focus (to none, as on the real
// system) and is told with WM_ENABLE; the result is whether it was disabled.
BOOL WINAPI EnableWindow(HWND window, BOOL enable)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    const bool wasEnabled = record->enabled;
    if (wasEnabled == (enable != FALSE))
        return wasEnabled ? FALSE : TRUE;
    record->enabled = enable != FALSE;
    NoteWindowDamage(window);
    System& system = TheSystem();
    if (!enable && system.focus != nullptr && (system.focus == window || RootOf(system.focus) == window))
        SetFocusWindow(nullptr);
    SendMessageA(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasEnabled ? FALSE : TRUE;
}

HWND WINAPI GetActiveWindow(void)
{
    return TheSystem().active;
}

BOOL WINAPI ShowWindow(HWND window, int command)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    const BOOL wasVisible = record->visible;
    if (command == SW_HIDE) {
        HideWindow(window);
        return wasVisible;
    }
    record->visible = true;
    if (!wasVisible) {
        NoteWindowDamage(window);
        MarkForPaint(window, true);
    }
    // Showing a hidden top-level window activates it; SW_SHOWNORMAL
    // activates a visible one too.
    if (!IsChild(*record) && (!wasVisible || command == SW_SHOWNORMAL) && CanActivate(window))
        ActivateWindow(window);
    return wasVisible;
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    NoteWindowDamage(window);
    record->rect = PlacedRect(record->style, x, y, width, height);
    NoteWindowDamage(window);
    if (repaint && record->visible)
        MarkForPaint(window, true);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr || rect == nullptr)
        return FALSE;
    *rect = ClientRectOf(*record);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr || rect == nullptr)
        return FALSE;
    *rect = record->rect;
    if (record->style & WS_CHILD) {
        const Window* parent = FindWindowRecord(record->parent);
        if (parent != nullptr) {
            const POINT origin = ClientOriginOnScreen(*parent);
            OffsetRect(rect, origin.x, origin.y);
        }
    }
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, LPPOINT point)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr || point == nullptr)
        return FALSE;
    const POINT origin = ClientOriginOnScreen(*record);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND window, LPPOINT point)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr || point == nullptr)
        return FALSE;
    const POINT origin = ClientOriginOnScreen(*record);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu)
{
    if (rect == nullptr)
        return FALSE;
    if (style & WS_CHILD)
        return TRUE;
    int border = (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) ? estimatedBorder : 0;
    int top = border;
    if ((style & WS_CAPTION) == WS_CAPTION)
        top += estimatedCaption;
    if (menu)
        top += estimatedMenuBar;
    rect->left -= border;
    rect->right += border;
    rect->top -= top;
    rect->bottom += border;
    return TRUE;
}

int WINAPI GetWindowTextA(HWND window, LPSTR text, int maxCount)
{
    const Window* record = FindWindowRecord(window);
    return CopyText(record == nullptr ? std::string() : record->text, text, maxCount);
}

int WINAPI GetWindowTextLengthA(HWND window)
{
    const Window* record = FindWindowRecord(window);
    return record == nullptr ? 0 : static_cast<int>(record->text.size());
}

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    record->text = text ? text : "";
    NoteWindowDamage(window);
    return TRUE;
}

int WINAPI GetClassNameA(HWND window, LPSTR className, int maxCount)
{
    const Window* record = FindWindowRecord(window);
    return CopyText(record == nullptr ? std::string() : record->windowClass->name, className, maxCount);
}

HWND WINAPI GetParent(HWND window)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return nullptr;
    return (record->style & WS_CHILD) ? record->parent : record->owner;
}

LONG WINAPI GetWindowLongA(HWND window, int index)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>((record->style & ~static_cast<DWORD>(WS_VISIBLE)) |
                                 (record->visible ? WS_VISIBLE : 0));
    case GWL_EXSTYLE:
        return static_cast<LONG>(record->exStyle);
    default:
        return 0;
    }
}

int WINAPI GetDlgCtrlID(HWND window)
{
    const Window* record = FindWindowRecord(window);
    return record == nullptr ? 0 : record->controlId;
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName)
{
    for (HWND handle : TopLevelWindows()) {
        const Window* record = FindWindowRecord(handle);
        if (className != nullptr && !SameName(record->windowClass->name, className))
            continue;
        if (windowName != nullptr && record->text != windowName)
            continue;
        return handle;
    }
    return nullptr;
}

namespace {
// Each child, then its own children, in creation order. The children of
// every window are listed before the first call, as the real system lists
// them: windows made by the callback are not visited, and windows it
// destroys are passed over.
bool EnumerateDescendants(HWND parent, const std::map<HWND, std::vector<HWND>>& children, WNDENUMPROC callback,
                          LPARAM lParam)
{
    const auto found = children.find(parent);
    if (found == children.end())
        return true;
    for (HWND child : found->second) {
        if (!IsWindow(child))
            continue;
        if (!callback(child, lParam))
            return false;
        if (!EnumerateDescendants(child, children, callback, lParam))
            return false;
    }
    return true;
}

void ListDescendants(HWND parent, std::map<HWND, std::vector<HWND>>& children)
{
    std::vector<HWND> own = ChildWindows(parent);
    if (own.empty())
        return;
    for (HWND child : own)
        ListDescendants(child, children);
    children.emplace(parent, std::move(own));
}
}  // namespace

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam)
{
    std::map<HWND, std::vector<HWND>> children;
    ListDescendants(parent, children);
    return EnumerateDescendants(parent, children, callback, lParam) ? TRUE : FALSE;
}

// The focus in a window of another top-level window activates that one first.
HWND WINAPI SetFocus(HWND window)
{
    System& system = TheSystem();
    const HWND previous = system.focus;
    if (window != nullptr && FindWindowRecord(window) == nullptr)
        return nullptr;
    if (window != nullptr && RootOf(window) != system.active)
        ActivateWindow(RootOf(window));
    SetFocusWindow(window);
    return previous;
}

HWND WINAPI GetFocus(void)
{
    return TheSystem().focus;
}

// Without a module instance only the system's own icons are found.
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name)
{
    if (instance == nullptr || name == nullptr || IS_INTRESOURCE(name) || !HasResource("ICON", name))
        return nullptr;
    static HICON__ programIcon;
    return &programIcon;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    static HICON__ arrow;
    return (instance == nullptr && name == IDC_ARROW) ? &arrow : nullptr;
}

BOOL WINAPI GetCursorPos(LPPOINT point)
{
    if (point == nullptr)
        return FALSE;
    *point = TheSystem().cursor;
    return TRUE;
}

// The portable window system's own state, shared by its source files.
// Nothing outside platform/portable includes this header.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/portable/testing.h"
#include "platform/portable/win32_api.h"

namespace portable {

// A decoded 24-bit bitmap resource, rows top to bottom.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

struct MenuItem {
    std::string text;
    UINT id = 0;
    UINT flags = 0;  // MF_CHECKED, MF_SEPARATOR, MF_POPUP, MF_GRAYED, MFT_RADIOCHECK
    HMENU popup = nullptr;
};

struct Menu {
    std::vector<MenuItem> items;
};

struct WindowClass {
    std::string name;
    WNDCLASSEXA record;
};

struct Window {
    uint32_t id = 0;
    const WindowClass* windowClass = nullptr;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect = {0, 0, 0, 0};  // screen coordinates for top-level windows, parent client ones for children
    HWND parent = nullptr;     // children only
    HWND owner = nullptr;      // top-level windows only
    HMENU menu = nullptr;      // the menu bar of a top-level window
    int controlId = 0;         // children only
    bool visible = false;
    bool enabled = true;
    bool needsPaint = false;
    bool destroying = false;
    bool buttonPressed = false;  // push buttons: pressed and not yet released
    HBITMAP bitmap = nullptr;  // a picture's own bitmap object; it outlives the window
    std::vector<Fill> lastPaint;
    std::vector<Fill> currentPaint;
};

struct QueuedMessage {
    MSG msg;
    bool shift;    // the shift key was down when the key message was delivered
    bool toFocus;  // a key: it goes to the window that has the focus when it is taken
    bool input;    // the player's input, taken after posted messages and the quit message
};

struct PressRecord {
    UINT downMessage = 0;
    HWND window = nullptr;
    DWORD time = 0;
    POINT point = {0, 0};
    bool valid = false;
    WPARAM buttons = 0;  // the MK_ flags of the press
};

struct System {
    std::map<uint32_t, Window> windows;  // ordered by id, which is creation order
    uint32_t nextWindowId = 0x100;
    uint64_t windowsCreated = 0;
    std::vector<std::unique_ptr<WindowClass>> classes;
    std::vector<std::unique_ptr<Menu>> menus;
    std::deque<QueuedMessage> queue;
    bool quitPosted = false;
    int quitCode = 0;
    bool inputExhausted = false;
    bool askInputOnNextPeek = false;
    DWORD ticks = 0;
    std::function<DWORD()> tickSource;
    bool waiting = false;  // the input source is called from WaitMessage
    int screenWidth = defaultScreenWidth;
    int screenHeight = defaultScreenHeight;
    POINT cursor = {0, 0};
    bool leftButtonDown = false;
    bool rightButtonDown = false;
    HWND focus = nullptr;
    HWND active = nullptr;       // the active top-level window
    std::vector<HWND> zOrder;    // top-level windows, topmost first
    PressRecord lastPress;
    std::vector<MessageBoxCall> messageBoxLog;
    MessageBoxHandler messageBoxHandler;
    InputSource inputSource;
    std::map<std::string, Bitmap> bitmapCache;  // decoded resources, by upper-case name
    std::map<uintptr_t, Bitmap> bitmapObjects;  // live bitmap objects, by handle
    uintptr_t nextBitmapHandle = 0x10000;
    int gdiObjectLimit = defaultGdiObjectLimit;
};

System& TheSystem();

HWND HandleOf(uint32_t id);
Window* FindWindowRecord(HWND window);
bool SameName(const std::string& a, const std::string& b);

// Copies text into a caller's buffer of maxCount bytes as the Win32 text
// calls do: cut to fit, always terminated; returns the characters copied.
int CopyText(const std::string& text, LPSTR buffer, int maxCount);

// The system classes "Static", "Edit" and "Button".
void RegisterSystemClasses();
bool IsSystemClass(const Window& window);

// Geometry of the frame the layer draws around top-level windows.
RECT ClientRectOf(const Window& window);
POINT ClientOriginOnScreen(const Window& window);

// Resources embedded from the resource script at build time.
const Bitmap* FindBitmap(const char* name);

// The stock brushes are objects that are never created or deleted.
bool IsStockObject(HGDIOBJ object);

// The pixels of a live bitmap object; nullptr for a deleted or unknown one.
const Bitmap* BitmapOfObject(HBITMAP object);
bool HasResource(const char* type, const char* name);
std::string ResourceScript();

// Posts a message; `input` marks the player's input (clicks, menu choices,
// the close box), which the queue gives out after posted messages.
void PostQueued(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool input);

// Activation, as the real system does it: the active top-level window goes
// to the top of the z-order, with the windows it owns above it, and takes
// the keyboard focus (DefWindowProc's answer to WM_ACTIVATE). None: no
// window is active and none has the focus.
HWND RootOf(HWND window);
// Moves the keyboard focus, sending WM_KILLFOCUS to the window that loses
// it and then WM_SETFOCUS to the window that gets it.
void SetFocusWindow(HWND window);
void ActivateWindow(HWND window);
// When the active window is hidden or destroyed: a pop-up's owner, else
// the next window down the z-order that can be activated, else the topmost.
void ActivateOtherWindow(HWND window);

}  // namespace portable

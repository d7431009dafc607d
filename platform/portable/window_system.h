// The portable window system's own state, shared by its source files.
// Nothing outside platform/portable includes this header.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/portable/driver.h"
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
    HBITMAP bitmap = nullptr;    // a picture's own bitmap object; it outlives the window
    std::vector<Fill> lastPaint;
    std::vector<Fill> currentPaint;
    bool damaged = false;        // top-level windows: part of the client area changed
    RECT damage = {0, 0, 0, 0};  // that part, in client coordinates
};

struct QueuedMessage {
    MSG msg;
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

// The menu bar in use: the window system's modal loop runs while it is
// active. `title` is the selected title; `open` tells whether its
// drop-down is shown, and `item` is the drop-down's selected item.
struct MenuTracking {
    bool active = false;
    HWND owner = nullptr;
    HMENU bar = nullptr;
    int title = -1;
    bool open = false;
    int item = -1;
    bool releasedOnOpenTitle = false;  // the button came up on the title that opened the drop-down
    bool end = false;
};

// A message box up on screen, innermost last.
struct OpenBox {
    HWND window = nullptr;
    HWND button = nullptr;
    UINT type = 0;
    std::vector<TextLine> lines;  // in the code page; views convert them
    RECT iconRect = {0, 0, 0, 0};
    bool done = false;
};

struct System {
    std::map<uint32_t, Window> windows;  // ordered by id, which is creation order
    // The children of each parent, by id: a window's children are found
    // without a pass over every window, which a board of thousands of
    // pictures would make slow.
    std::map<HWND, std::set<uint32_t>> childrenOf;
    uint32_t nextWindowId = 0x100;
    uint64_t windowsCreated = 0;
    std::vector<std::unique_ptr<WindowClass>> classes;
    std::vector<std::unique_ptr<Menu>> menus;
    std::deque<QueuedMessage> queue;
    std::set<uint32_t> paintQueue;  // windows that need painting, by id
    bool quitPosted = false;
    int quitCode = 0;
    bool inputExhausted = false;
    bool askInputOnNextPeek = false;
    DWORD ticks = 0;
    std::function<DWORD()> tickSource;
    bool waiting = false;  // the input source is called from a wait
    int screenWidth = defaultScreenWidth;
    int screenHeight = defaultScreenHeight;
    POINT cursor = {0, 0};
    uint8_t keyState[256] = {};        // the keyboard now: 0x80 down; 0x02 on VK_MENU: no other system key since
    uint8_t threadKeyState[256] = {};  // as of the last key message taken (GetKeyState, characters)
    bool menuKeyAlone = false;         // Alt went down and nothing came since: its release opens the menu bar
    bool f10Pressed = false;           // likewise F10
    HWND focus = nullptr;
    HWND active = nullptr;     // the active top-level window
    HWND capture = nullptr;    // the window that takes every mouse message
    std::vector<HWND> zOrder;  // top-level windows, topmost first
    PressRecord lastPress;
    bool scriptedBoxes = false;  // tests answer message boxes (ResetWindowSystem)
    std::vector<MessageBoxCall> messageBoxLog;
    MessageBoxHandler messageBoxHandler;
    std::vector<OpenBox> boxes;
    MenuTracking menuTracking;
    InputSource inputSource;
    std::function<int(const std::string&)> textMeasure;
    uint64_t changeCount = 1;
    // Each bitmap resource is decoded once, on its first load, and its
    // pixels are shared, never changed, by every bitmap object loaded from
    // it: an object has its own handle and lifetime, not its own copy.
    std::map<std::string, std::shared_ptr<const Bitmap>> bitmapCache;  // by upper-case name
    std::map<uintptr_t, std::shared_ptr<const Bitmap>> bitmapObjects;  // live bitmap objects, by handle
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

// The program's code page, Windows-1252, as UTF-8.
std::string Utf8FromAnsi(const std::string& text);
// The width of text in the presenter's font (the '&' marks included as
// written: callers drop them first).
int TextWidth(const std::string& ansi);
// A text without its '&' marks ("&&" stays one '&').
std::string WithoutMnemonicMarks(const std::string& text);

// The system classes "Static", "Edit", "Button" and the message box's.
void RegisterSystemClasses();
bool IsSystemClass(const Window& window);
extern const char* const messageBoxClass;

// A top-level window that is neither a pop-up nor a child is never smaller
// than this, as the real system holds it (Wine's figures), and never larger
// than the screen and this much more (its frame's width on both sides).
constexpr int minimumTrackWidth = 116;
constexpr int minimumTrackHeight = 27;
constexpr int maximumTrackBeyondScreen = 12;

// Geometry of the frame the layer draws around top-level windows.
RECT FrameOf(const Window& window);
RECT ClientRectOf(const Window& window);
POINT ClientOriginOnScreen(const Window& window);
// The menu bar's rectangle in screen coordinates; empty without one.
RECT MenuBarRectOf(const Window& window);

// Resources embedded from the resource script at build time. A bitmap
// resource's pixels, decoded on the first call for its name (case-blind);
// null when there is no such resource or it cannot be decoded.
std::shared_ptr<const Bitmap> FindBitmap(const char* name);

// The stock brushes are objects that are never created or deleted.
bool IsStockObject(HGDIOBJ object);

// The pixels of a live bitmap object; nullptr for a deleted or unknown one.
const Bitmap* BitmapOfObject(HBITMAP object);
bool HasResource(const char* type, const char* name);
std::string ResourceScript();

// A window's need of WM_PAINT, kept with the queue of windows to paint.
void MarkForPaint(HWND window, bool needsPaint);

// Posts a message; `input` marks the player's input (clicks, menu choices,
// the close box), which the queue gives out after posted messages.
void PostQueued(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool input);

// Takes the next message in the real system's order (see messages.cpp);
// `wait` lets it ask the input source, blocking, when there is none.
bool TakeMessage(MSG* message, bool remove, bool consultInputSource);
// Asks the input source for input while the program (or a modal loop)
// waits; when it gives none, the input is exhausted and the quit message
// is posted.
void WaitForInput();

// A modal loop of the system: takes and dispatches messages until `done`
// holds. `filter` sees each message first and returns true when it has
// handled it. When the queue is empty the owner is told (WM_ENTERIDLE with
// `idleKind`) and the loop waits for input. On the quit message the loop
// ends, leaving the message for the loops outside; returns false then.
bool RunModalLoop(HWND owner, WPARAM idleKind, const std::function<bool(MSG&)>& filter,
                  const std::function<bool()>& done);

// Mouse messages: the window under a screen point that takes them, and the
// hit-test code there (HTCLIENT, HTMENU, HTCAPTION...); none outside every
// window.
HWND WindowAt(POINT screen, LRESULT* hitTest);
bool IsEnabledForInput(HWND window);

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

// The menu bar of a window laid out for its width: each title's rectangle
// relative to the bar's top-left corner, and the number of lines.
struct MenuBarLayout {
    std::vector<RECT> titles;
    int lines = 0;
};
MenuBarLayout LayOutMenuBar(HMENU bar, int width);
// A drop-down's size and its items' rectangles relative to its corner.
struct DropDownLayout {
    SIZE size = {0, 0};
    std::vector<RECT> items;
};
DropDownLayout LayOutDropDown(HMENU popup);
// Layouts are kept until the font or the menus change.
void ForgetMenuLayouts();
// The open drop-down's rectangle on screen.
RECT DropDownRect();
const Menu* MenuRecord(HMENU menu);

// Menu tracking, started by DefWindowProc from WM_SYSCOMMAND: by keyboard
// (`key` the mnemonic typed with Alt, or 0 for Alt or F10 alone) and by a
// press of the mouse on the menu bar.
void TrackMenuByKeyboard(HWND owner, int key);
void TrackMenuByMouse(HWND owner, POINT screen);

// The message box's window procedure, registered as a system class.
LRESULT CALLBACK MessageBoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What presenters see changed: the count grows, and `area` (client
// coordinates of `window`) is added to its top-level window's damage.
void NoteChange();
void NoteDamage(HWND window, const RECT& area);
// A child's own rectangle damaged in its top-level window.
void NoteWindowDamage(HWND window);

}  // namespace portable

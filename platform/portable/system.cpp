// The window system's state, its reset, the clock, the screen and the system's metrics.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/portable/window_system.h"

namespace portable {

// A process starts with the system classes registered, as on the real
// system, whether or not a test has reset the window system.
System& TheSystem()
{
    static System system;
    static bool started = false;
    if (!started) {
        started = true;
        RegisterSystemClasses();
    }
    return system;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int CopyText(const std::string& text, LPSTR buffer, int maxCount)
{
    if (buffer == nullptr || maxCount <= 0)
        return 0;
    const size_t length = std::min(text.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

void ResetWindowSystem()
{
    System& system = TheSystem();
    system = System();
    system.scriptedBoxes = true;
    ForgetMenuLayouts();
    RegisterSystemClasses();
}

void ShowMessageBoxes()
{
    TheSystem().scriptedBoxes = false;
}

void SetTickCount(DWORD ticks)
{
    TheSystem().ticks = ticks;
}

void AdvanceTickCount(DWORD milliseconds)
{
    TheSystem().ticks += milliseconds;
}

void SetTickSource(std::function<DWORD()> source)
{
    TheSystem().tickSource = std::move(source);
}

void SetScreenSize(int width, int height)
{
    TheSystem().screenWidth = width;
    TheSystem().screenHeight = height;
    NoteChange();
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    TheSystem().messageBoxHandler = std::move(handler);
}

const std::vector<MessageBoxCall>& MessageBoxLog()
{
    return TheSystem().messageBoxLog;
}

void ClearMessageBoxLog()
{
    TheSystem().messageBoxLog.clear();
}

}  // namespace portable

using namespace portable;

DWORD WINAPI GetTickCount(void)
{
    System& system = TheSystem();
    if (system.tickSource)
        system.ticks = system.tickSource();
    return system.ticks;
}

int WINAPI GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return TheSystem().screenWidth;
    case SM_CYSCREEN:
        return TheSystem().screenHeight;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CYMENU:
        return 20;
    case SM_CXMINTRACK:
        return minimumTrackWidth;
    case SM_CYMINTRACK:
        return minimumTrackHeight;
    case SM_CXMAXTRACK:
        return TheSystem().screenWidth + maximumTrackBeyondScreen;
    case SM_CYMAXTRACK:
        return TheSystem().screenHeight + maximumTrackBeyondScreen;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}

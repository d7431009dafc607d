#include "support/shown_views.h"

namespace {
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void DispatchAll()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
}  // namespace

portable::MessageBoxView ShownBox(const std::string& text, UINT type, HWND owner)
{
    portable::ShowMessageBoxes();
    portable::MessageBoxView view;
    portable::SetInputSource([&view] {
        const std::vector<portable::MessageBoxView> boxes = portable::OpenMessageBoxes();
        if (boxes.empty())
            return false;
        view = boxes.back();
        portable::PressKey(VK_RETURN);
        return true;
    });
    MessageBoxA(owner, text.c_str(), "Box", type);
    portable::SetInputSource(nullptr);
    return view;
}

portable::DropDownView ShownDropDown(HWND window, int letter)
{
    portable::DropDownView view;
    bool taken = false;
    portable::SetInputSource([&view, &taken] {
        if (taken || !portable::OpenDropDown(&view))
            return false;
        taken = true;
        portable::PressKey(VK_ESCAPE);
        portable::PressKey(VK_ESCAPE);
        return true;
    });
    SetFocus(window);
    portable::KeyDown(VK_MENU);
    portable::PressKey(letter);
    portable::KeyUp(VK_MENU);
    DispatchAll();
    portable::SetInputSource(nullptr);
    return view;
}

HWND MakeMenuWindow(int x, int y, int width, int height)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = programInstance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "menuwindow";
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, "menuwindow", "Menus", WS_VISIBLE | WS_BORDER | WS_SYSMENU, x, y, width, height,
                           nullptr, LoadMenuA(programInstance, "menu"), programInstance, nullptr);
}

#include <gtest/gtest.h>

#include <string>

#include "platform/web/scene.h"

using web::JsonString;

TEST(WebScene, TextsAreEscapedForTheScript)
{
    EXPECT_EQ(JsonString("About &Blastgrid"), "\"About &Blastgrid\"");
    EXPECT_EQ(JsonString("say \"hi\"\\"), "\"say \\\"hi\\\"\\\\\"");
    EXPECT_EQ(JsonString("two\nlines\tand\r"), "\"two\\nlines\\tand\\r\"");
    EXPECT_EQ(JsonString(std::string("\x01") + "\x7f"), "\"\\u0001\\u007f\"");
    EXPECT_EQ(JsonString("caf\xC3\xA9"), "\"caf\xC3\xA9\"");  // UTF-8 passes as it is
}

TEST(WebScene, TheCaptionRunsFromTheBorderToTheMenuBarAndHoldsTheCloseBox)
{
    driver::WindowView view;
    view.frame = RECT{100, 50, 282, 303};
    view.menuBar = RECT{103, 72, 279, 92};
    view.client = RECT{103, 92, 279, 300};
    const RECT caption = web::CaptionOf(view);
    EXPECT_EQ(caption.left, 103);
    EXPECT_EQ(caption.top, 53);
    EXPECT_EQ(caption.right, 279);
    EXPECT_EQ(caption.bottom, 72);
    const RECT close = web::CloseBoxOf(caption);
    EXPECT_EQ(close.right, 277);
    EXPECT_EQ(close.bottom - close.top, 15);
    EXPECT_EQ(close.right - close.left, 15);
    // Without a menu bar the caption ends at the client area; a window with
    // no room above its client area has none.
    view.menuBar = RECT{0, 0, 0, 0};
    EXPECT_EQ(web::CaptionOf(view).bottom, 92);
    view.frame.top = 89;
    EXPECT_EQ(web::CaptionOf(view).right, 0);
}

TEST(WebScene, WindowsArePlacedThroughThePageMap)
{
    web::Scene scene;
    driver::WindowView view;
    view.window = reinterpret_cast<HWND>(uintptr_t{0x100});
    view.title = "Blastgrid";
    view.frame = RECT{100, 50, 282, 303};
    view.menuBar = RECT{103, 72, 279, 92};
    view.client = RECT{103, 92, 279, 300};
    scene.windows.push_back(view);
    scene.menuBars.push_back({driver::MenuTitleView{"&Game", RECT{103, 72, 151, 92}, true, true}});
    scene.controls.push_back({});
    const web::PageMap map = web::CentreOnPage(view.frame, 2, 1, 564, 606);
    const std::string json = web::SceneJson(scene, map);
    EXPECT_NE(json.find("\"scale\":2,"), std::string::npos) << json;
    // Texts are laid out in program pixels, shown at the zoom.
    const std::string texts = "\"text\":22,\"line\":26,\"titlePad\":12,\"gutter\":38,\"keyMargin\":32,";
    EXPECT_NE(json.find(texts), std::string::npos) << json;
    EXPECT_NE(json.find("\"frame\":[100,50,364,506]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"client\":[106,134,352,416]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"clientSize\":[176,208]"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"text\":\"&Game\",\"r\":[106,94,96,40],\"sel\":true,\"open\":true}"), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"main\":true"), std::string::npos);
    EXPECT_NE(json.find("\"dropDown\":null,\"touch\":null,\"ended\":false,\"exitCode\":0}"), std::string::npos)
        << json;
}

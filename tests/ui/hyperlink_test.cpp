#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "platform/product_info.h"
#include "test_frame.h"
#include "ui/controls/hyperlink_static.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

// Records the message box instead of showing it.
struct SeenMessage {
    wxString text;
    wxString caption;
    long style = 0;
    int shown = 0;
};

class RecordMessage : public wxExpectModalBase<wxMessageDialog, RecordMessage> {
  public:
    explicit RecordMessage(SeenMessage* seen) : seen(seen) {}

  protected:
    int OnInvoked(wxMessageDialog* dialog) const override {
        seen->text = dialog->GetMessage();
        seen->caption = dialog->GetTitle();
        seen->style = dialog->GetMessageDialogStyle();
        ++seen->shown;
        return wxID_OK;
    }

  private:
    SeenMessage* seen;
};

// The program the desktop would start to open a page, chosen through PATH for one test: either
// none at all (PATH holds nothing else then), or a stand-in that writes down the address it was
// given, found before anything else on PATH.
class BrowserStandIn {
  public:
    explicit BrowserStandIn(bool present) : savedPath(std::getenv("PATH") ? std::getenv("PATH") : "") {
        dir = std::filesystem::temp_directory_path() / ("veltamar-browser-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        log = dir / "opened.txt";
        if (present) {
            const auto script = dir / "xdg-open";
            std::ofstream(script) << "#!/bin/sh\necho \"$@\" > '" << log.string() << "'\n";
            std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        }
        setenv("PATH", present ? (dir.string() + ":" + savedPath).c_str() : dir.c_str(), 1);
    }
    ~BrowserStandIn() {
        setenv("PATH", savedPath.c_str(), 1);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    // What the stand-in was asked to open (waits for it a little).
    std::string opened() const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < end) {
            std::ifstream in(log);
            std::string line;
            if (std::getline(in, line)) return line;
            pump(50);
        }
        return {};
    }

  private:
    std::string savedPath;
    std::filesystem::path dir;
    std::filesystem::path log;
};

}  // namespace

TEST(HyperlinkStatic, TextAddressColoursAndFit) {
    TestFrame frame({400, 200});
    auto* link = new HyperlinkStatic(frame, 1037, MAKER_WEB_ADDRESS, {20, 20}, {300, 30});
    EXPECT_EQ(link->url(), MAKER_WEB_ADDRESS) << "no address given: the text is the address";
    EXPECT_EQ(link->GetToolTipText(), MAKER_WEB_ADDRESS);
    EXPECT_TRUE(link->GetFont().GetUnderlined());
    const wxSize extent = link->GetTextExtent(MAKER_WEB_ADDRESS);
    EXPECT_EQ(link->GetSize(), extent) << "fitted to its text";
    EXPECT_EQ(link->GetPosition(), wxPoint(20, 20)) << "left-aligned text keeps its left edge";

    HyperlinkOptions options;
    options.url = "http://example.org/x";
    auto* right = new HyperlinkStatic(frame, 1038, "", {20, 80}, {300, 30}, wxALIGN_RIGHT, options);
    EXPECT_EQ(right->GetLabel(), "http://example.org/x") << "no text: the address is shown";
    EXPECT_EQ(right->GetRect().GetRight(), 20 + 300 - 1) << "right-aligned text keeps its right edge";

    EXPECT_EQ(link->textColour(), wxColour(0, 0, 238));
    moveMouse(screenCentre(*link));
    EXPECT_TRUE(link->isHovering());
    EXPECT_EQ(link->textColour(), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    shoot("link-hover");
    moveMouse(screenPoint(*frame, {390, 190}));
    EXPECT_FALSE(link->isHovering());
    EXPECT_EQ(link->textColour(), wxColour(0, 0, 238));
}

TEST(HyperlinkStatic, AClickOpensThePageAndTheLinkStaysVisited) {
    TestFrame frame({400, 200});
    auto* link = new HyperlinkStatic(frame, 1037, MAKER_WEB_ADDRESS, {20, 20});
    BrowserStandIn browser(true);
    clickAt(screenCentre(*link));
    EXPECT_EQ(browser.opened(), std::string("http://") + MAKER_WEB_ADDRESS);
    EXPECT_TRUE(link->isVisited());
    moveMouse(screenPoint(*frame, {390, 190}));
    EXPECT_EQ(link->textColour(), wxColour(85, 26, 139));
    const Screenshot shot = shoot("link-visited");
    bool visitedPixel = false;
    for (int x = 0; x < link->GetSize().x && !visitedPixel; ++x)
        for (int y = 0; y < link->GetSize().y && !visitedPixel; ++y)
            visitedPixel = near(pixelOf(shot, *link, {x, y}), wxColour(85, 26, 139), 12);
    EXPECT_TRUE(visitedPixel) << "the text is drawn in the visited colour";
}

TEST(HyperlinkStatic, FailureBeepsAndSaysWhy) {
    TestFrame frame({400, 200});
    auto* link = new HyperlinkStatic(frame, 1037, MAKER_WEB_ADDRESS, {20, 20});
    BrowserStandIn noBrowser(false);
    SeenMessage seen;
    int result = 0;
    wxTEST_DIALOG(result = link->followLink(), RecordMessage(&seen));
    EXPECT_EQ(result, 31);
    EXPECT_EQ(seen.shown, 1);
    EXPECT_EQ(seen.text,
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename "
              "extension.");
    EXPECT_EQ(seen.caption, APPLICATION_NAME);
    EXPECT_TRUE(seen.style & wxICON_EXCLAMATION);
    EXPECT_FALSE(link->isVisited());

    // Neither text nor address: nothing is shown and there is nothing to open.
    auto* empty = new HyperlinkStatic(frame, 1039, "", {20, 80}, {100, 20});
    EXPECT_EQ(empty->GetSize().x, 0);
    SeenMessage second;
    wxTEST_DIALOG(result = empty->followLink(), RecordMessage(&second));
    EXPECT_EQ(result, 2);
    EXPECT_EQ(second.text, "Unable to open hyperlink:\n\nThe specified file was not found.");
}

// Send to phone and the clipboard: the QR code of the very URL a press
// would open (the main window's Map menu, and the Route window), the window
// sized to the code, and the address and link copied.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "main/PhoneCode.h"
#include "main/PressURL.h"
#include "main/StoredRoute.h"
#include "main/frmMain.h"
#include "main/frmRoute.h"
#include "main/frmSendToPhone.h"
#include "platform/ui/accessible.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/msgbox.h"
#include "tests/unit/stand_in_host_fixture.h"

namespace {

constexpr const char16_t* kOsm = u"https://www.openstreetmap.org/search?query={address}";
constexpr const char16_t* kOsmURL =
    u"https://www.openstreetmap.org/search?query="
    u"12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%2C%2099120%2C%20France";
constexpr const char16_t* kAddress = u"12 All\u00E9e des H\u00E9rons, Montv\u00E9rac, 99120, France";

// ---- the code's layout ----------------------------------------------------------------------------

TEST(PhoneCodeLayout, AModuleIsFourPixelsAt96DpiAndGrowsWithTheScreen) {
    const int room = 10000;
    EXPECT_EQ(phone_code::ModulePixels(53, 15, room), 4);            // 96 dpi
    EXPECT_EQ(phone_code::ModulePixels(53, 12, room), 5);            // 120 dpi
    EXPECT_EQ(phone_code::ModulePixels(53, 10, room), 6);            // 144 dpi
    EXPECT_EQ(phone_code::ModulePixels(53, 1440.0 / 110, room), 5);  // never below 1/24 inch: rounded up
    EXPECT_EQ(phone_code::ModulePixels(53, 7.5, room), 8);           // 192 dpi
    EXPECT_EQ(phone_code::ModulePixels(53, 20, room), 4);            // never below 4 pixels
}

TEST(PhoneCodeLayout, ACodeTooLargeForTheScreenGetsTheLargestWholeModulesThatFit) {
    // Version 40 with its quiet zone: 185 modules a side, 740 pixels at 96 dpi.
    EXPECT_EQ(phone_code::ModulePixels(185, 15, 740), 4);
    EXPECT_EQ(phone_code::ModulePixels(185, 15, 739), 3);
    EXPECT_EQ(phone_code::ModulePixels(185, 10, 1000), 5);  // 144 dpi on a small screen
    EXPECT_EQ(phone_code::ModulePixels(185, 15, 100), phone_code::kSmallestModulePixels);
    EXPECT_EQ(phone_code::ModulePixels(185, 15, -5), phone_code::kSmallestModulePixels);
}

TEST(PhoneCodeLayout, ThePictureIsTheCodeInAQuietZoneOfFourModules) {
    phone_code::Code code;
    code.size = 3;
    code.dark = {true, false, false, false, true, false, false, false, true};
    ui::CellPicture picture = phone_code::Picture(code, 5);
    EXPECT_EQ(picture.columns, 11);
    EXPECT_EQ(picture.rows, 11);
    EXPECT_EQ(picture.cellPixels, 5);
    for (int y = 0; y < picture.rows; ++y)
        for (int x = 0; x < picture.columns; ++x) {
            bool inCode = x >= 4 && x < 7 && y >= 4 && y < 7;
            EXPECT_EQ(picture.Black(x, y), inCode && code.Dark(x - 4, y - 4)) << x << "," << y;
        }
}

// ---- encoding: what the code holds, and how much ------------------------------------------------

TEST(PhoneCodeEncoding, TheCodeHoldsTheURLsUtf8WithLettersOutsideTheBmpWhole) {
    EXPECT_EQ(phone_code::Bytes(u"a\u00E9\U00020BB7"), "a\xC3\xA9\xF0\xA0\xAE\xB7");
    EXPECT_EQ(phone_code::Bytes(u"x\xD800y"), "x\xEF\xBF\xBDy");  // an unpaired surrogate
}

TEST(PhoneCodeEncoding, LevelMUnlessOnlyLCanHoldTheURLAndNothingBeyondTheLargestCode) {
    auto code = phone_code::Encode(kOsmURL);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->level, phone_code::Level::Medium);
    EXPECT_EQ(code->dark.size(), static_cast<size_t>(code->size) * code->size);
    EXPECT_EQ((code->size - 17) % 4, 0);  // 21, 25, ... 177 modules

    // Version 40 holds 2,331 bytes at level M and 2,953 at level L.
    auto atM = phone_code::Encode(vb::String(2331, u'a'));
    ASSERT_TRUE(atM);
    EXPECT_EQ(atM->level, phone_code::Level::Medium);
    EXPECT_EQ(atM->size, 177);
    auto atL = phone_code::Encode(vb::String(2332, u'a'));
    ASSERT_TRUE(atL);
    EXPECT_EQ(atL->level, phone_code::Level::Low);
    EXPECT_TRUE(phone_code::Encode(vb::String(2953, u'a')));
    EXPECT_FALSE(phone_code::Encode(vb::String(2954, u'a')));
    // Bytes count, not letters: 1,000 letters of four bytes each.
    vb::String wide;
    for (int i = 0; i < 1000; ++i) wide += u"\U00020BB7";
    EXPECT_FALSE(phone_code::Encode(wide));
}

// ---- the window, from the main window's Map menu ------------------------------------------------

class SendToPhone : public WithStandInHost {
protected:
    void SetUp() override {
        WithStandInHost::SetUp();
        Store(settings::key::kClose, u"1");
        Store(settings::key::kMapURL, kOsm);
        Contact(u"12 All\u00E9e des H\u00E9rons", u"Montv\u00E9rac", u"", u"99120", u"France");
        ASSERT_NO_THROW(ui::Dispatch([&] { main.Show(); }));
    }

    // Chooses the menu item; `user` acts while the window it opens shows.
    void Choose(ui::Menu& item, std::function<void(frmSendToPhone&)> user = {}) {
        screen.onModal[u"frmSendToPhone"] = [user](ui::Form& f) {
            if (user) user(static_cast<frmSendToPhone&>(f));
        };
        ui::Dispatch([&] { item.Click(); });
    }
    // The URL a press opens now.
    vb::String PressedURL() {
        ui::Dispatch([&] { main.cmdLocate.Click(); });
        EXPECT_FALSE(shell.requests.empty());
        return shell.requests.empty() ? vb::String() : shell.requests.back().file;
    }
    size_t Shown() const {
        size_t n = 0;
        for (const vb::String& name : screen.modalShown) n += name == u"frmSendToPhone";
        return n;
    }
    static ui::CellPicture CodeOf(vb::StringView url, int modulePixels) {
        auto code = phone_code::Encode(url);
        EXPECT_TRUE(code);
        return code ? phone_code::Picture(*code, modulePixels) : ui::CellPicture{};
    }
    static void ExpectSamePicture(const ui::CellPicture& a, const ui::CellPicture& b) {
        EXPECT_EQ(a.columns, b.columns);
        EXPECT_EQ(a.cellPixels, b.cellPixels);
        EXPECT_TRUE(a.black == b.black) << "the modules differ";
    }

    frmMain main;
};

TEST_F(SendToPhone, TheMenuShowsTheCodeOfTheURLAPressOpensWithTheAddressBeneath) {
    size_t from = Calls().size();
    bool checked = false;
    Choose(main.mnuSendToPhone, [&](frmSendToPhone& f) {
        checked = true;
        EXPECT_EQ(f.caption(), u"Send to phone");
        ExpectSamePicture(f.picCode.cells(), CodeOf(kOsmURL, 4));
        EXPECT_EQ(f.lblPlace.caption(), kAddress);
        EXPECT_TRUE(f.lblPlace.singleLine());
        EXPECT_EQ(f.lblScan.caption(), u"Scan with your phone's camera to open this map.");
        // Enter closes as the window opens; Tab reaches Copy link.
        EXPECT_EQ(f.focused(), &f.cmdClose);
        EXPECT_EQ(f.DefaultButton(), &f.cmdClose);
        EXPECT_EQ(f.CancelButton(), &f.cmdClose);
        std::vector<ui::Control*> order = f.TabOrder();
        EXPECT_EQ(order, (std::vector<ui::Control*>{&f.cmdClose, &f.cmdCopy}));
        EXPECT_EQ(ui::AccessibleName(f.picCode), u"QR code of the map link");
        f.PressEnter();
        EXPECT_FALSE(f.loaded());
    });
    EXPECT_TRUE(checked);
    EXPECT_TRUE(screen.boxes.empty());
    EXPECT_TRUE(shell.requests.empty());  // nothing opens on the desktop
    EXPECT_TRUE(main.loaded());           // and the main window stays, box or not
    // Each field read once, as a template's press reads them.
    EXPECT_EQ(Calls(from, false), kAddressReads);
    EXPECT_EQ(PressedURL(), kOsmURL);
}

TEST_F(SendToPhone, TheWindowIsSizedToTheCodeWholePixelsAModuleScaledWithTheScreen) {
    auto check = [&](double twipsPerPixel, int modulePixels) {
        screen.twipsPerPixelX = screen.twipsPerPixelY = twipsPerPixel;
        Choose(main.mnuSendToPhone, [&](frmSendToPhone& f) {
            const ui::CellPicture& cells = f.picCode.cells();
            EXPECT_EQ(cells.cellPixels, modulePixels);
            const int side = cells.columns * cells.cellPixels;  // pixels
            ui::TwipsRect pic = f.picCode.rect();
            EXPECT_EQ(ui::TwipsToPixels(pic.width, twipsPerPixel), side);
            EXPECT_EQ(ui::TwipsToPixels(pic.height, twipsPerPixel), side);
            // Centred, with room for the sentence and the buttons beneath.
            int width = f.props().clientWidth;
            EXPECT_NEAR(pic.left, width - pic.left - pic.width, 1);
            EXPECT_GT(f.lblPlace.rect().top, pic.top + pic.height);
            EXPECT_GT(f.lblScan.rect().top, f.lblPlace.rect().top);
            EXPECT_GT(f.cmdClose.rect().top, f.lblScan.rect().top);
            EXPECT_EQ(f.cmdClose.rect().top + f.cmdClose.rect().height + 120, f.props().clientHeight);
            EXPECT_EQ(f.cmdCopy.rect().left + f.cmdCopy.rect().width + 120, width);
            EXPECT_GT(f.cmdCopy.rect().left, f.cmdClose.rect().left + f.cmdClose.rect().width);
            // The window is centred on the screen at its new size.
            const ui::headless::WindowState& window = ui::headless::StateOf(f);
            EXPECT_EQ(window.outer.width, ui::TwipsToPixels(width, twipsPerPixel) + 8);
            EXPECT_EQ(window.outer.x, (1280 - window.outer.width) / 2);
        });
    };
    check(15, 4);
    check(12, 5);
    check(10, 6);
    EXPECT_EQ(Shown(), 3u);
}

TEST_F(SendToPhone, EachOpeningShowsTheCodeOfThatMomentAndALongerOneMakesALargerWindow) {
    int firstWidth = 0, firstHeight = 0;
    Choose(main.mnuSendToPhone, [&](frmSendToPhone& f) {
        firstWidth = f.props().clientWidth;
        firstHeight = f.props().clientHeight;
    });
    Contact(vb::String(300, u'x'), u"Montv\u00E9rac", u"", u"99120", u"France");
    Choose(main.mnuSendToPhone, [&](frmSendToPhone& f) {
        EXPECT_GT(f.props().clientWidth, firstWidth);
        EXPECT_GT(f.props().clientHeight, firstHeight);
        EXPECT_EQ(f.lblPlace.caption(), vb::String(300, u'x') + u", Montv\u00E9rac, 99120, France");
        f.PressEscape();
        EXPECT_FALSE(f.loaded());
    });
    EXPECT_EQ(Shown(), 2u);
}

TEST_F(SendToPhone, ACodeTooLargeForTheScreenShrinksToFitButKeepsWholePixels) {
    screen.workAreas = {{0, 0, 1280, 1024}, {1280, 0, 800, 480}};  // a small second monitor
    Contact(vb::String(700, u'x'), u"", u"", u"", u"");
    Choose(main.mnuSendToPhone, [&](frmSendToPhone& f) {
        const ui::CellPicture& cells = f.picCode.cells();
        EXPECT_LT(cells.cellPixels, 4);
        EXPECT_GE(cells.cellPixels, phone_code::kSmallestModulePixels);
        EXPECT_LE(ui::headless::StateOf(f).outer.height, 480);
    });
    EXPECT_EQ(Shown(), 1u);
}

TEST_F(SendToPhone, AnAmpersandInTheAddressShowsAsItselfNotAsAnAccessKey) {
    Contact(u"Smith & Sons, 1 High Street", u"", u"", u"", u"");
    Choose(main.mnuSendToPhone,
           [&](frmSendToPhone& f) { EXPECT_EQ(f.lblPlace.caption(), u"Smith && Sons, 1 High Street"); });
    EXPECT_EQ(Shown(), 1u);
}

TEST_F(SendToPhone, ThePressRefusalsShowTheirMessagesAndNoWindow) {
    Contact(u"", u" ", u"\r\n", u"", u"");
    Choose(main.mnuSendToPhone);
    Store(settings::key::kMapURL, u"https://www.google.com/maps/dir/?api=1&origin={from}&destination={address}");
    Contact(u"1 Main Street", u"", u"", u"", u"");
    Choose(main.mnuSendToPhone);
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(screen.boxes[0].text, press_url::kNoAddressMessage);
    EXPECT_EQ(screen.boxes[1].text, press_url::kNoStartAddressMessage);
    EXPECT_EQ(screen.boxes[1].style, ui::kExclamation);
    EXPECT_EQ(Shown(), 0u);
    EXPECT_TRUE(main.loaded());
}

TEST_F(SendToPhone, AURLTooLongForAnyQRCodeGetsAMessageInsteadOfTheWindow) {
    Contact(vb::String(1000, u'\u00E9'), u"", u"", u"", u"");  // 6,000 bytes percent-encoded
    Choose(main.mnuSendToPhone);
    EXPECT_EQ(Shown(), 0u);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].style, ui::kExclamation);
    EXPECT_EQ(screen.boxes[0].text,
              u"The link of this map is too long for a QR code: it takes 6043 bytes, and a QR code holds at most "
              u"2953.\r\n\r\nCopy the link instead, and send it to your phone in a message.");
}

TEST_F(SendToPhone, TheLegacyPageSendsAsItWouldOpen) {
    Store(settings::key::kMapURL, u"");
    Contact(u"", u"", u"", u"", u"");
    vb::String url = PressedURL();
    Choose(main.mnuSendToPhone, [&](frmSendToPhone& f) {
        ExpectSamePicture(f.picCode.cells(), CodeOf(url, 4));
        EXPECT_EQ(f.lblPlace.caption(), u"");
    });
    EXPECT_EQ(Shown(), 1u);
    EXPECT_TRUE(screen.boxes.empty());
}

// ---- the clipboard --------------------------------------------------------------------------------

TEST_F(SendToPhone, CopyAddressCopiesTheAddressAsARoutesStopShowsIt) {
    Contact(u" Flat 2\r\n7 Duck Row ", u"\u0141\u00F3d\u017A \U00020BB7", u"", u"", u"");
    Store(settings::key::kCountry, u"Polska");
    Choose(main.mnuCopyAddress);
    EXPECT_EQ(screen.clipboard, u"Flat 2, 7 Duck Row, \u0141\u00F3d\u017A \U00020BB7, Polska");
    ui::Dispatch([&] { main.mnuRouteAdd.Click(); });
    EXPECT_EQ(StoredRoute::Load().stops().back(), screen.clipboard);
    EXPECT_TRUE(screen.boxes.empty());
    EXPECT_TRUE(main.loaded());
}

TEST_F(SendToPhone, CopyMapLinkCopiesTheURLAPressOpens) {
    Contact(u"Street \"Q\"#1 & %USERNAME%", u"\U00020BB7", u"", u"", u"");
    Choose(main.mnuCopyLink);
    ASSERT_TRUE(screen.clipboard);
    EXPECT_EQ(*screen.clipboard, PressedURL());
    // In the window too: the link it shows.
    Choose(main.mnuSendToPhone, [&](frmSendToPhone& f) {
        screen.clipboard.reset();
        f.cmdCopy.Click();
        EXPECT_TRUE(f.loaded());  // the window stays for the phone
    });
    EXPECT_EQ(screen.clipboard, shell.requests.back().file);
}

TEST_F(SendToPhone, NothingIsCopiedForAContactWithoutAnAddressOrWhileTheClipboardIsHeld) {
    Contact(u"", u"", u"", u"", u"");
    Choose(main.mnuCopyAddress);
    Choose(main.mnuCopyLink);
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(screen.boxes[0].text, press_url::kNoAddressMessage);
    EXPECT_EQ(screen.boxes[1].text, press_url::kNoAddressMessage);
    EXPECT_FALSE(screen.clipboard);

    Contact(u"1 Main Street", u"", u"", u"", u"");
    screen.clipboardBusy = true;
    Choose(main.mnuCopyAddress);
    ASSERT_EQ(screen.boxes.size(), 3u);
    EXPECT_EQ(screen.boxes[2].text,
              u"Nothing was copied: another program is using the clipboard.\r\n\r\nTry again in a moment.");
    EXPECT_FALSE(screen.clipboard);
}

TEST(Clipboard, ANulInsideTheTextDoesNotEndIt) {
    ui::headless::Backend screen;
    EXPECT_TRUE(ui::CopyToClipboard(vb::String(u"a\0b", 3)));
    EXPECT_EQ(screen.clipboard, u"a\uFFFDb");
}

// ---- from the Route window ------------------------------------------------------------------------

TEST_F(SendToPhone, TheRouteWindowSendsAndCopiesItsDirectionsWithItsOwnRefusals) {
    StoredRoute::SaveStartAddress(u"Home");
    Store(settings::key::kMapURL, u"");
    StoredRoute route = StoredRoute::Load();
    route.SetStops({u"5 Quay Street, Harbourtown", u"7 Duck Row"});
    vb::String opened;
    screen.onModal[u"frmRoute"] = [&](ui::Form& form) {
        auto& f = static_cast<frmRoute&>(form);
        f.cmdOpen.Click();
        opened = shell.requests.back().file;
        f.cmdCopyLink.Click();
        EXPECT_EQ(screen.clipboard, opened);
        screen.onModal[u"frmSendToPhone"] = [&](ui::Form& phone) {
            auto& p = static_cast<frmSendToPhone&>(phone);
            ExpectSamePicture(p.picCode.cells(), CodeOf(opened, 4));
            EXPECT_EQ(p.lblPlace.caption(), u"Route of 2 stops, from Home");
        };
        f.cmdPhone.Click();
        f.chkBack.UserClick();
        f.txtStart.UserTyped(u"");
        f.cmdPhone.Click();  // a round trip without a start: refused
        f.cmdCopyLink.Click();
        f.txtStart.UserTyped(u"Office");
        screen.onModal[u"frmSendToPhone"] = [&](ui::Form& phone) {
            EXPECT_EQ(static_cast<frmSendToPhone&>(phone).lblPlace.caption(),
                      u"Route of 2 stops, from Office, and back");
        };
        f.cmdPhone.Click();
    };
    ui::Dispatch([&] { main.mnuRoute.Click(); });
    EXPECT_EQ(Shown(), 2u);
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(screen.boxes[0].text, screen.boxes[1].text);
    EXPECT_EQ(screen.clipboard, opened);  // the refused copy left it
}

}  // namespace

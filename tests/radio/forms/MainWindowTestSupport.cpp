#include "radio/forms/MainWindowTestSupport.h"

#include <utility>

#include "radio/directory/RegistryManager.h"
#include "skinforms/frame/support.h"

namespace mainwin_test {

TSavedSettings::TSavedSettings()
{
    TRegManager reg;
    lastUrl_ = reg.GetLastRadioURL();
    user_ = reg.GetUserName();
    password_ = reg.GetPassword();
    radioSkin_ = reg.GetRadioSkin();
    storeSkin_ = reg.GetStoreRadioSkin();
}

TSavedSettings::~TSavedSettings()
{
    TRegManager reg;
    reg.SetLastRadioURL(lastUrl_);
    reg.SetUserName(user_);
    reg.SetPassword(password_);
    reg.SetRadioSkin(radioSkin_);
    reg.SetStoreRadioSkin(storeSkin_);
}

std::string StreamOf(const std::string& Name) { return "http://127.0.0.1:9/stream/" + Name + ".mp3"; }

std::string StationListXml()
{
    return "<Stations>"
           "<Station Name=\"A\" StreamURL=\"" + StreamOf("a") +
           "\" WebsiteURL=\"http://127.0.0.1:9/a.html\" PlaylistURL=\"http://127.0.0.1:9/a.m3u\" "
           "FavoriteOrder=\"0\" Category=\"Rock\"/>"
           "<Station Name=\"B\" StreamURL=\"" + StreamOf("b") +
           "\" WebsiteURL=\"http://127.0.0.1:9/b.html\" PlaylistURL=\"http://127.0.0.1:9/b.m3u\" "
           "Category=\"Rock\"/>"
           "<Station Name=\"C &amp; D\" StreamURL=\"" + StreamOf("c") + "\" Category=\"Jazz\"/>"
           "<Station Name=\"E\" StreamURL=\"" + StreamOf("e") +
           "\" WebsiteURL=\"http://127.0.0.1:9/e.html\" Category=\"Jazz\"/>"
           "</Stations>";
}

TMainWindowScene::TMainWindowScene(const std::string& LastURL, bool Fill)
{
    TRegManager().SetLastRadioURL(LastURL);
    TRegManager().SetStoreRadioSkin(false);
    if (Fill)
        directory.LoadFromXmlString(StationListXml());
}

TMainWindowScene::~TMainWindowScene()
{
    if (form)
        form->Free();
    cl::Application->ProcessMessages();
}

void TMainWindowScene::Create(std::function<std::unique_ptr<cl::TMediaPlayer>()> Player)
{
    Build(std::move(Player));
    form->PostPageFill();
    cl::Application->ProcessMessages();
}

void TMainWindowScene::Build(std::function<std::unique_ptr<cl::TMediaPlayer>()> Player)
{
    TRadioMainServices services = DefaultRadioMainServices();
    if (Player)
        services.CreatePlayer = Player;
    else
        services.CreatePlayer = [this] {
        auto p = std::make_unique<TCountingPlayer>();
        player = p.get();
        return std::unique_ptr<cl::TMediaPlayer>(std::move(p));
    };
    services.CreateBrowser = [this](cl::TWinControl*) {
        auto b = std::make_unique<cl::TRecordingWebBrowser>();
        browser = b.get();
        return std::unique_ptr<cl::TWebBrowser>(std::move(b));
    };
    services.ShowMessage = [this](const std::string& Text) { messages.push_back(Text); };
    services.Directory = [this] { return &directory; };
    form = new TfrmRadioMain(nullptr, services);
    form->HandleNeeded();
    form->AfterConstruction();
}

TskButtonItem* TMainWindowScene::Button(const std::string& Caption) const
{
    TskButtonCategories* categories = form->scbRadioStations->Categories();
    for (int c = 0; c < categories->Count(); ++c) {
        TskButtonCollection* items = categories->Items(c)->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Caption() == Caption)
                return static_cast<TskButtonItem*>(items->Items(i));
    }
    return nullptr;
}

void TMainWindowScene::ClickStation(const std::string& Caption)
{
    TskButtonItem* button = Button(Caption);
    ASSERT_NE(button, nullptr) << Caption;
    button->GetCategory()->SetCollapsed(false);
    form->scbRadioStations->ScrollButtonIntoView(button);
    const cl::TRect r = form->scbRadioStations->GetButtonRect(button);
    const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    HWND wnd = form->scbRadioStations->Handle();
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(wnd, WM_LBUTTONUP, 0, at);
}

void TMainWindowScene::Show()
{
    form->Show();
    form->Update();
    cl::Application->ProcessMessages();
}

void TMainWindowScene::PressOn(cl::TControl* Control)
{
    const cl::TPoint at = Control->ClientToScreen({Control->Width() / 2, Control->Height() / 2});
    frametest::ClickAtScreen(at.X, at.Y);
}

void TMainWindowScene::PressStation(const std::string& Caption)
{
    TskButtonItem* button = Button(Caption);
    ASSERT_NE(button, nullptr) << Caption;
    button->GetCategory()->SetCollapsed(false);
    form->scbRadioStations->ScrollButtonIntoView(button);
    cl::Application->ProcessMessages();
    const cl::TRect r = form->scbRadioStations->GetButtonRect(button);
    const cl::TPoint at = form->scbRadioStations->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    frametest::ClickAtScreen(at.X, at.Y);
}

std::string TMainWindowScene::SelectedCaption() const
{
    TskButtonItem* b = form->scbRadioStations->SelectedItem();
    return b ? b->Caption() : std::string("-");
}

std::vector<std::string> TMainWindowScene::Requested() const
{
    return browser ? std::vector<std::string>(browser->Requested.begin(), browser->Requested.end())
                   : std::vector<std::string>{};
}

}  // namespace mainwin_test

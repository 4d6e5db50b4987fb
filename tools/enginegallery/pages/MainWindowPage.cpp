// The radio's main window with a few demo stations, one playing, in each skin.
#include <memory>
#include <string>

#include "classlib/ole/ComObj.h"
#include "enginegallery/EngineGallery.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/forms/RadioMain.h"

namespace {

using namespace cl;

const char* const DemoStations =
    "<Stations>"
    "<Station Name=\"Radio Paradise\" StreamURL=\"http://127.0.0.1:9/paradise.mp3\" FavoriteOrder=\"0\" "
    "Category=\"Rock\"/>"
    "<Station Name=\"Smooth Jazz\" StreamURL=\"http://127.0.0.1:9/smooth.mp3\" FavoriteOrder=\"1\" Category=\"Jazz\"/>"
    "<Station Name=\"Classic Rock FM\" StreamURL=\"http://127.0.0.1:9/classic.mp3\" Category=\"Rock\"/>"
    "<Station Name=\"Jazz &amp; Blues\" StreamURL=\"http://127.0.0.1:9/blues.mp3\" Category=\"Jazz\"/>"
    "<Station Name=\"Café Müller\" StreamURL=\"http://127.0.0.1:9/cafe.mp3\" Category=\"Talk\"/>"
    "</Stations>";

// A folder of its own for the directory's cache, removed with what the directory wrote.
struct TScratchFolder {
    std::string Path;
    TScratchFolder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        Path = std::string(temp) + "trebanix-gallery-main-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TScratchFolder()
    {
        DeleteFileA((Path + "data\\qsRadioChannels.xml").c_str());
        RemoveDirectoryA((Path + "data").c_str());
        RemoveDirectoryA(Path.c_str());
    }
};

void DrawMainWindow(const gallery::TGalleryContext& Context)
{
    TComApartment apartment;
    TScratchFolder folder;
    TRadioChannelManager directory(folder.Path);
    directory.LoadFromXmlString(std::string(DemoStations));

    TRadioMainServices services = DefaultRadioMainServices();
    // The picture needs no page: the browser's area stays empty.
    services.CreateBrowser = [](TWinControl*) { return std::unique_ptr<TWebBrowser>(); };
    services.ShowMessage = [](const std::string&) {};
    services.Directory = [&directory] { return &directory; };
    std::unique_ptr<TfrmRadioMain, void (*)(TfrmRadioMain*)> form(new TfrmRadioMain(nullptr, services),
                                                                    [](TfrmRadioMain* F) { F->Free(); });
    form->HandleNeeded();
    form->AfterConstruction();
    if (Context.SkinIndex < static_cast<int>(form->SkinList.size()))
        form->skSkinData1->SetCompressedStoredSkin(form->SkinList[Context.SkinIndex]);
    form->SetBounds(0, 0, TfrmRadioMain::RolledOutWidth, 760);
    if (TskButtonItem* playing = form->FindChannelCategoryButton("http://127.0.0.1:9/paradise.mp3"))
        form->scbRadioStations->SetSelectedItem(playing);
    form->labWMPState->SetCaption("Playing");
    form->labCurrent->SetCaption("Radio Paradise");
    form->Show();
    gallery::Settle();
    Context.SaveWindow(form->Handle(), "main");
}

gallery::TGalleryPage page("main", &DrawMainWindow);

}  // namespace

#include "radio/directory/RadioChannelManager.h"

#include <windows.h>

#include <cwctype>
#include <functional>
#include <unordered_map>

#include "classlib/system/KernelHandles.h"
#include "classlib/ole/ComObj.h"
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/PaintingWait.h"
#include "radio/directory/Texts.h"
#include "radio/forms/MainTexts.h"
#include "radio/directory/RadioUtils.h"
#include "radio/forms/StationGroups.h"

namespace {

// Content that cannot be a station cache, as opposed to a reader that is not available.
bool IsBadContent(const cl::Exception& e)
{
    return dynamic_cast<const cl::EDOMParseError*>(&e) || dynamic_cast<const cl::EConvertError*>(&e) ||
           dynamic_cast<const cl::EVariantError*>(&e);
}

// A reply of the service is a station list when it has no elements at all (the empty list) or
// at least one that carries a station's attribute; anything else (a login page served by a
// captive portal, say) must not replace the stations.
bool IsStationList(const std::vector<cl::TXMLNode>& elements)
{
    if (elements.empty())
        return true;
    for (const cl::TXMLNode& node : elements)
        if (node.HasAttribute("Name") || node.HasAttribute("StreamURL"))
            return true;
    return false;
}

// A page (a captive portal's, an error page) opens with a document type; a station list never
// does. Told apart before the parser, which refuses document types with a reason of its own.
bool StartsWithDocumentType(const std::wstring& text)
{
    std::size_t at = 0;
    if (text.compare(0, 5, L"<?xml") == 0) {
        at = text.find(L"?>");
        if (at == std::wstring::npos)
            return false;
        at += 2;
    }
    while (at < text.size() && text[at] <= L' ')
        ++at;
    static const wchar_t kDocType[] = L"<!DOCTYPE";
    for (const wchar_t* c = kDocType; *c; ++c, ++at)
        if (at >= text.size() || std::towupper(text[at]) != *c)
            return false;
    return true;
}

// Makes sure the file's bytes are on the disk, not only in the system's cache, before it
// takes the place of the one that is.
void FlushToDisk(const std::string& file)
{
    cl::TOwnedHandle handle(CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE)
        throw cl::EFCreateError(cl::Format("Cannot open \"%s\": %s", file, cl::SysErrorMessage(GetLastError())));
    const bool flushed = FlushFileBuffers(handle.get());
    const DWORD error = GetLastError();
    handle.reset();
    if (!flushed)
        throw cl::EFCreateError(cl::Format("Cannot write \"%s\": %s", file, cl::SysErrorMessage(error)));
}

// A long list takes seconds to read and to write: the work runs on a thread of its own, in
// an apartment of its own, while the windows go on painting and the busy cursor shows.
void RunBesideTheWindows(const std::function<void()>& work)
{
    radio::RunWhilePainting([&] {
        cl::TComApartment apartment;
        work();
    });
}

// The stations of a reply, grouped by category in the order each category is first met.
std::vector<std::unique_ptr<TRadioChannelCategory>> ReadStationList(const std::wstring& reply)
{
    cl::TXMLDocument doc;
    doc.LoadFromXML(reply);
    cl::TXMLNode root = doc.DocumentElement();
    if (root.IsNull())
        throw cl::EDOMParseError(radio::directory_text::kNoStationList);
    const std::vector<cl::TXMLNode> elements = root.ChildElements();
    if (!IsStationList(elements))
        throw cl::EDOMParseError(radio::directory_text::kNotAStationList);

    std::vector<std::unique_ptr<TRadioChannelCategory>> loaded;
    std::unordered_map<std::string, TRadioChannelCategory*> byName;
    TRadioChannel station;
    for (const cl::TXMLNode& node : elements) {
        station.LoadFromXml(node);
        TRadioChannelCategory*& category = byName[station.Category];
        if (!category) {
            loaded.push_back(std::make_unique<TRadioChannelCategory>(station.Category, true));
            category = loaded.back().get();
        }
        category->AddChannelCopy(station);
    }
    return loaded;
}

}  // namespace

TRadioChannelManager::TRadioChannelManager() : TRadioChannelManager(cl::ExeFolder()) {}

TRadioChannelManager::TRadioChannelManager(const std::string& appDir)
    : appDir_(cl::IncludeTrailingPathDelimiter(appDir)),
      favorites_(std::make_unique<TRadioChannelCategory>(radio_texts::SFavorites, false)),
      currentChannel_(std::make_unique<TRadioChannel>())
{
    LoadFromFile();
}

TRadioChannelManager::~TRadioChannelManager()
{
    try {
        if (mayWriteCache_)
            SaveToFile();
    } catch (...) {
        // Shutting down: nobody is left to tell, and a destructor must not throw.
    }
    favorites_->Clear();
}

void TRadioChannelManager::Adopt(TCategoryList& loaded)
{
    Clear();
    categories_.swap(loaded);
    RebuildFavorites();
}

void TRadioChannelManager::LoadFromFile()
{
    lastCacheError_.clear();
    std::string file = CacheFileName();
    if (!cl::FileExists(file))
        return;
    try {
        cl::TXMLDocument doc;
        doc.LoadFromFile(file);
        cl::TXMLNode root = doc.ChildNode("RadioChannels");
        if (root.IsNull())
            throw cl::EDOMParseError("The file holds no station list");
        TCategoryList loaded;
        for (const cl::TXMLNode& node : root.ChildElements()) {
            auto category = std::make_unique<TRadioChannelCategory>();
            category->LoadFromXml(node);
            loaded.push_back(std::move(category));
        }
        Adopt(loaded);
    } catch (const cl::Exception& e) {
        lastCacheError_ = cl::Format("The station cache \"%s\" could not be read: %s", file, e.Message());
        // Kept aside, or, when even that fails, left alone until a download replaces it.
        std::string aside = file + ".bad";
        if (!IsBadContent(e) || !MoveFileExA(file.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING))
            mayWriteCache_ = false;
    }
}

void TRadioChannelManager::SaveToFile()
{
    std::string file = CacheFileName();
    std::string folder = cl::ExtractFileDir(file);
    if (!cl::DirectoryExists(folder) && !cl::ForceDirectories(folder))
        throw cl::EFCreateError(cl::Format("Cannot create the folder \"%s\"", folder));

    cl::TXMLDocument doc;
    doc.SetVersion("1.0");
    cl::TXMLNode root = doc.CreateDocumentElement("RadioChannels");
    for (const auto& category : categories_) {
        cl::TXMLNode node = root.AddChild("RadioChannelCategory");
        category->SaveToXml(node);
    }
    std::string temp = file + ".tmp";
    doc.SaveToFile(temp);
    try {
        FlushToDisk(temp);
    } catch (...) {
        DeleteFileA(temp.c_str());
        throw;
    }
    if (!MoveFileExA(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileA(temp.c_str());
        throw cl::EFCreateError(cl::Format("Cannot replace \"%s\": %s", file, cl::SysErrorMessage(error)));
    }
    mayWriteCache_ = true;
}

void TRadioChannelManager::LoadFromXmlString(const std::string& text)
{
    LoadFromXmlString(cl::StringToWide(text));
}

void TRadioChannelManager::LoadFromXmlString(const std::wstring& text)
{
    std::wstring reply = TRadioUtils::TrimReply(text);
    if (reply == L"0") {
        Clear();
        return;
    }
    if (StartsWithDocumentType(reply))
        throw cl::EDOMParseError(radio::directory_text::kNotAStationList);
    // Everything is read into new categories first: the buttons may point at the stations of
    // the current ones, which must live on until the reply proved good.
    TCategoryList loaded;
    RunBesideTheWindows([&] { loaded = ReadStationList(reply); });
    // The windows paint while the cache is written, and the buttons point at the stations
    // being replaced until the caller fills them again: those stations go only at the end.
    TCategoryList replaced;
    replaced.swap(categories_);
    Adopt(loaded);
    try {
        RunBesideTheWindows([&] { SaveToFile(); });
    } catch (const cl::Exception& e) {
        throw EStationCacheError(e.Message());
    }
}

void TRadioChannelManager::DownloadChannels(const std::string& user, const std::string& password)
{
    int random = cl::Random(999999);
    THttpReply reply = TRadioUtils::HttpGet(TRadioUtils::ChannelListURL(user, password, random));
    if (reply.Status != 200)
        throw EDirectoryServiceError(radio::directory_text::AnsweredWithStatus(reply.Status));
    // The service answers "0" for an account it does not know as well: only an account it
    // accepts really has no stations, and a mistyped name must not wipe the user's list.
    if (reply.Text == L"0" && !TRadioUtils::ValidateAccount(user, password))
        throw EAccountRefused(radio::directory_text::kAccountRefused);
    // The parser alone says too little (some give no position at all): the message names
    // what was read and where it came from.
    try {
        LoadFromXmlString(reply.Text);
    } catch (const cl::EDOMParseError& e) {
        throw cl::EDOMParseError(radio::directory_text::StationListUnreadable(TRadioUtils::ServiceURL(), e.Message()));
    } catch (const cl::EConvertError& e) {
        throw cl::EConvertError(radio::directory_text::StationListUnreadable(TRadioUtils::ServiceURL(), e.Message()));
    }
}

void TRadioChannelManager::FillCategoryButtons(TskButtonCategories* categories)
{
    std::vector<TRadioChannelCategory*> shown;
    shown.reserve(categories_.size());
    for (const auto& category : categories_)
        shown.push_back(category.get());
    FillStationGroups(categories, favorites_.get(), shown);
}

void TRadioChannelManager::RebuildFavorites()
{
    favorites_->Clear();
    for (const auto& category : categories_) {
        TRadioChannelList found;
        category->GetFavorites(found);
        favorites_->AddChannels(found);
    }
}

void TRadioChannelManager::Clear()
{
    ++revision_;
    favorites_->Clear();
    categories_.clear();
}

void TRadioChannelManager::SetCurrentChannel(const TRadioChannel& channel)
{
    TRadioChannel::Copy(*currentChannel_, channel);
}

namespace {

std::unique_ptr<TRadioChannelManager>& Instance()
{
    static std::unique_ptr<TRadioChannelManager> instance;
    return instance;
}

}  // namespace

TRadioChannelManager* RadioChannelManager()
{
    auto& instance = Instance();
    if (!instance)
        instance = std::make_unique<TRadioChannelManager>();
    return instance.get();
}

void FreeRadioChannelManager()
{
    Instance().reset();
}

#include "radio/directory/RadioChannelManager.h"

#include <windows.h>

#include <cwctype>
#include <functional>
#include <unordered_map>

#include "classlib/ole/ComObj.h"
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/PaintingWait.h"
#include "radio/directory/Texts.h"
#include "radio/forms/MainTexts.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/StationCache.h"
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
bool StartsWithDocumentType(std::wstring_view text)
{
    std::size_t at = 0;
    if (text.compare(0, 5, L"<?xml") == 0) {
        at = text.find(L"?>");
        if (at == std::wstring_view::npos)
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

// A long list takes seconds to read and to write: the work runs on a thread of its own, in
// an apartment of its own, while the windows go on painting and the busy cursor shows.
void RunBesideTheWindows(const std::function<void()>& work)
{
    radio::RunWhilePainting([&] {
        cl::TComApartment apartment;
        work();
    });
}

// A reply read: its stations grouped by category in the order each category is first met, and
// the reply's document, which still holds every station's element. It lives and goes on the
// thread that read it, in that thread's apartment.
struct TReadReply {
    cl::TXMLDocument Doc;
    std::vector<cl::TXMLNode> Elements;
    // The index in Categories of each element's category.
    std::vector<std::size_t> CategoryOf;
    std::vector<std::unique_ptr<TRadioChannelCategory>> Categories;
};

void ReadStationList(std::wstring_view reply, TReadReply& read)
{
    read.Doc.LoadFromXML(reply);
    cl::TXMLNode root = read.Doc.DocumentElement();
    if (root.IsNull())
        throw cl::EDOMParseError(radio::directory_text::kNoStationList);
    read.Elements = root.ChildElements();
    if (!IsStationList(read.Elements))
        throw cl::EDOMParseError(radio::directory_text::kNotAStationList);

    std::unordered_map<std::string, std::size_t> byName;
    read.CategoryOf.reserve(read.Elements.size());
    TRadioChannel station;
    for (const cl::TXMLNode& node : read.Elements) {
        station.LoadFromXml(node);
        auto [at, added] = byName.try_emplace(station.Category, read.Categories.size());
        if (added)
            read.Categories.push_back(std::make_unique<TRadioChannelCategory>(station.Category, true));
        read.CategoryOf.push_back(at->second);
        read.Categories[at->second]->AddChannelCopy(station);
    }
}

// The cache of a reply just read, made of the reply's own document: each station's element,
// already holding what the station was read from, is moved under its category's element, which
// spares building the same attributes a second time.
void WriteAsCache(TReadReply& read, const std::string& file)
{
    cl::TXMLNode root = station_cache::StartDocument(read.Doc);
    std::vector<cl::TXMLNode> categories;
    categories.reserve(read.Categories.size());
    for (const auto& category : read.Categories)
        categories.push_back(station_cache::AddCategory(root, category->GetName()));
    for (std::size_t i = 0; i < read.Elements.size(); ++i)
        categories[read.CategoryOf[i]].AppendChild(read.Elements[i]);
    station_cache::Write(read.Doc, file);
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
        cl::TXMLNode root = station_cache::Root(doc);
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
    cl::TXMLDocument doc;
    cl::TXMLNode root = station_cache::StartDocument(doc);
    for (const auto& category : categories_) {
        cl::TXMLNode node = station_cache::AddCategory(root, category->GetName());
        category->SaveToXml(node);
    }
    station_cache::Write(doc, CacheFileName());
    mayWriteCache_ = true;
}

void TRadioChannelManager::LoadFromXmlString(const std::string& text)
{
    LoadFromXmlString(cl::StringToWide(text));
}

void TRadioChannelManager::LoadFromXmlString(const std::wstring& text)
{
    std::wstring_view reply = TRadioUtils::TrimReply(text);
    if (reply == L"0") {
        Clear();
        return;
    }
    if (StartsWithDocumentType(reply))
        throw cl::EDOMParseError(radio::directory_text::kNotAStationList);
    // Everything is read into new categories first: the buttons may point at the stations of
    // the current ones, which must live on until the reply proved good. The cache is written
    // from the reply on the same thread, before the new stations take the old ones' place;
    // a failed write is told only once they have.
    TCategoryList loaded;
    std::string cacheError;
    RunBesideTheWindows([&] {
        TReadReply read;
        ReadStationList(reply, read);
        try {
            WriteAsCache(read, CacheFileName());
        } catch (const cl::Exception& e) {
            cacheError = e.Message();
        }
        loaded.swap(read.Categories);
    });
    // The buttons point at the stations being replaced until the caller fills them again:
    // those stations go only at the end.
    TCategoryList replaced;
    replaced.swap(categories_);
    Adopt(loaded);
    if (!cacheError.empty())
        throw EStationCacheError(cacheError);
    mayWriteCache_ = true;
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

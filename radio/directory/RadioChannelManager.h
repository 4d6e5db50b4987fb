#pragma once
// The process-wide station directory: the user's stations grouped by category, the
// "Favorites" view over them and a copy of the station being played. It starts from the cache
// file beside the program and is replaced wholesale by each successful download.
#include <memory>
#include <string>
#include <vector>

#include "classlib/system/SysUtils.h"
#include "radio/directory/RadioChannelCategory.h"

class TskButtonCategories;

// The new stations were taken in, but the cache file could not be written.
class EStationCacheError : public cl::Exception {
public:
    using Exception::Exception;
};

class TRadioChannelManager : public cl::TObject {
public:
    // The program's folder; the cache is read at once.
    TRadioChannelManager();
    // Another folder (with or without the trailing "\"), for tests and tools.
    explicit TRadioChannelManager(const std::string& appDir);
    // Writes the cache; never throws.
    ~TRadioChannelManager() override;
    TRadioChannelManager(const TRadioChannelManager&) = delete;
    TRadioChannelManager& operator=(const TRadioChannelManager&) = delete;

    // Reads the cache file when there is one. Never throws: a cache that cannot be read leaves
    // the directory empty and its reason in LastCacheError(); one that is not a station cache
    // is renamed to "<name>.bad" first, so that it is kept but never read again.
    void LoadFromFile();
    // Writes the cache (creating the "data" folder) through a temporary file that then takes
    // the old one's place, so an interrupted write leaves the old or the new file whole.
    void SaveToFile();
    // A service reply: "0" (white space around allowed) empties the directory; otherwise the
    // stations are grouped by category and the cache is written. A reply that does not parse
    // raises and leaves the directory as it was; a cache that cannot be written raises
    // EStationCacheError with the new stations already in place.
    void LoadFromXmlString(const std::string& text);
    void LoadFromXmlString(const std::wstring& text);
    // Fetches the user's list. A status other than 200, like every failure of the request,
    // raises EDirectoryServiceError (no credentials in its message) and changes nothing; so
    // does an empty list for an account that the service's account check does not accept
    // (EAccountRefused).
    void DownloadChannels(const std::string& user, const std::string& password);

    // Empties the control's categories, then adds "Favorites" (the only one expanded) and one
    // category per caption the station categories show, each button carrying its station.
    void FillCategoryButtons(TskButtonCategories* categories);

    void RebuildFavorites();
    void Clear();

    void SetCurrentChannel(const TRadioChannel& channel);
    const TRadioChannel& CurrentChannel() const { return *currentChannel_; }
    const std::string& GetCurrentStreamURL() const { return currentChannel_->StreamURL; }
    const std::string& GetCurrentWebsiteURL() const { return currentChannel_->WebsiteURL; }
    const std::string& GetCurrentPlaylistURL() const { return currentChannel_->PlaylistURL; }
    const std::string& GetCurrentCategory() const { return currentChannel_->Category; }
    bool HasStreamURL() const { return !currentChannel_->StreamURL.empty(); }
    bool HasWebsiteURL() const { return !currentChannel_->WebsiteURL.empty(); }
    bool HasPlaylistURL() const { return !currentChannel_->PlaylistURL.empty(); }

    TRadioChannelCategory* Favorites() const { return favorites_.get(); }
    int CategoryCount() const { return static_cast<int>(categories_.size()); }
    TRadioChannelCategory* Categories(int index) const { return categories_.at(index).get(); }
    const std::string& AppDir() const { return appDir_; }
    std::string CacheFileName() const { return appDir_ + "data\\qsRadioChannels.xml"; }
    // Why the cache could not be read at start, "" when it could (or there was none).
    const std::string& LastCacheError() const { return lastCacheError_; }
    // Counts the times the stations were replaced or emptied: buttons made before a change
    // point at stations that are gone.
    unsigned Revision() const { return revision_; }

private:
    using TCategoryList = std::vector<std::unique_ptr<TRadioChannelCategory>>;

    void Adopt(TCategoryList& loaded);

    std::string appDir_;
    std::unique_ptr<TRadioChannelCategory> favorites_;
    TCategoryList categories_;
    std::unique_ptr<TRadioChannel> currentChannel_;
    std::string lastCacheError_;
    unsigned revision_ = 0;
    // False while the file on disk holds stations we could not read for a passing reason
    // (no COM, say): then nothing may overwrite it but a successful download.
    bool mayWriteCache_ = true;
};

// The directory, created (and its cache read) on the first call.
TRadioChannelManager* RadioChannelManager();
// Destroys the directory (writing the cache); the program calls it after its message loop,
// while COM is still initialized. Safe to call when there is none.
void FreeRadioChannelManager();

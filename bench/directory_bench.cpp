// The station directory's data road with 10,000 stations in 200 categories: download from the
// local directory service, parse and group, write the cache, fill the category-buttons model,
// and the cache load at start-up; and a reload of 100,000 stations against their start-up.
// Each figure is the median of several runs, with a reference measured in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_service.h"
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RadioUtils.h"
#include "skinforms/categorybuttons/Model.h"

namespace {

const int kRuns = 5;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Median milliseconds of the runs; prepare runs untimed before each.
double Median(const std::function<void()>& body, const std::function<void()>& prepare = nullptr, int runs = kRuns)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        double start = Now();
        body();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, double value, double ref, const char* target)
{
    std::printf("BENCH %s value=%.2f unit=ms ref=%.2f ratio=%.2f target=%s\n", name, value, ref,
                ref > 0 ? value / ref : 0.0, target);
    std::fflush(stdout);
}

// The buttons filled as the main window fills them, inside one update bracket.
void FillBracketed(TRadioChannelManager& directory, TskButtonCategories& buttons)
{
    buttons.BeginUpdate();
    directory.FillCategoryButtons(&buttons);
    buttons.EndUpdate();
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = cl::Format("%strebanix-bench-%u\\", temp, unsigned(GetCurrentProcessId()));
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void Run()
{
    cl::TComApartment apartment;
    TServiceForBench service;
    TServiceForBench::Control("/_control/reset");
    TServiceForBench::Control("/_control/scenario?name=big&count=10000&categories=200");
    std::string url = TRadioUtils::ChannelListURL("demo", "demo", 1);
    std::string folder = TempFolder();
    std::string cache = folder + "data\\qsRadioChannels.xml";

    // Download: our bounded request against a bare synchronous request object.
    THttpReply reply;
    double download = Median([&] { reply = TRadioUtils::HttpGet(url); });
    double bareDownload = Median([&] {
        cl::TComPtr<IXMLHTTPRequest> http = cl::CreateXmlHttpRequest();
        cl::TVariant sync(false), none(std::wstring_view(L""));
        cl::OleCheck(http->open(cl::TBStr(L"Get").Get(), cl::TBStr(cl::StringToWide(url)).Get(), sync.In(),
                                none.In(), none.In()));
        cl::OleCheck(http->send(none.In()));
        cl::TBStr text;
        cl::OleCheck(http->get_responseText(text.Put()));
    });
    Report("directory_download_10000", download, bareDownload, "250");

    // Parse and group against parsing alone. A reply always ends in a cache write, made of the
    // reply's own document and so not to be timed apart: the figure is the whole step.
    TRadioChannelManager directory(folder);
    double step = Median([&] { directory.LoadFromXmlString(reply.Text); });
    double bareParse = Median([&] {
        cl::TXMLDocument doc;
        doc.LoadFromXML(reply.Text);
    });
    Report("directory_parse_group_10000", step, bareParse, "250");

    // The cache write from the stations (as at shut-down) against MSXML saving the same reply
    // document.
    double save = Median([&] { directory.SaveToFile(); });
    cl::TXMLDocument replyDoc;
    replyDoc.LoadFromXML(reply.Text);
    double bareSave = Median([&] { replyDoc.SaveToFile(folder + "bare.xml"); });
    Report("directory_cache_write_10000", save, bareSave, "250");

    // Filling the model as the program does at start-up (no update bracket) against the
    // bracketed reload.
    TskButtonCategories buttons(nullptr);
    double fill = Median([&] { directory.FillCategoryButtons(&buttons); });
    double bracketed = Median([&] { FillBracketed(directory, buttons); });
    Report("directory_fill_model_10000", fill, bracketed, "250");

    // Start-up: the cache read into the directory against a bare DOM load of the same file.
    // (The destructor writes the cache again: that is shut-down, not start-up, so it runs
    // outside the timing.)
    std::unique_ptr<TRadioChannelManager> fromCache;
    double load = Median([&] { fromCache = std::make_unique<TRadioChannelManager>(folder); },
                         [&] { fromCache.reset(); });
    if (fromCache->CategoryCount() != 200)
        throw cl::Exception("the cache did not hold the 200 categories");
    fromCache.reset();
    double bareLoad = Median([&] {
        cl::TXMLDocument doc;
        doc.LoadFromFile(cache);
    });
    Report("directory_cache_load_10000", load, bareLoad, "3");

    // A reload of a long list (download, read and group, the cache written, the buttons
    // filled) against starting with the same stations from the cache file and filling the
    // buttons. A directory writes the cache when it goes: shut-down, outside the timing.
    TServiceForBench::Control("/_control/scenario?name=big&count=100000&categories=200");
    const int longRuns = 3;
    auto longList = std::make_unique<TRadioChannelManager>(folder);
    double reload = Median([&] {
        longList->DownloadChannels("demo", "demo");
        FillBracketed(*longList, buttons);
    }, nullptr, longRuns);
    if (longList->Favorites()->Channels().size() != 30000)
        throw cl::Exception("the reload did not hold the 100,000 stations");
    double start = Median([&] {
        longList = std::make_unique<TRadioChannelManager>(folder);
        FillBracketed(*longList, buttons);
    }, [&] { longList.reset(); }, longRuns);
    if (longList->Favorites()->Channels().size() != 30000)
        throw cl::Exception("the cache did not hold the 100,000 stations");
    longList.reset();
    Report("directory_reload_100000", reload, start, "2");

    DeleteFileA(cache.c_str());
    DeleteFileA((folder + "bare.xml").c_str());
    RemoveDirectoryA((folder + "data").c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main()
{
    try {
        Run();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "directory_bench: %s\n", e.what());
        return 1;
    }
}

#include "radio/directory/StationCache.h"

#include <windows.h>

#include "classlib/system/KernelHandles.h"
#include "classlib/system/SysUtils.h"

namespace station_cache {

namespace {

const char kRoot[] = "RadioChannels";
const char kCategory[] = "RadioChannelCategory";
const char kCategoryName[] = "Name";

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

}  // namespace

cl::TXMLNode StartDocument(cl::TXMLDocument& doc)
{
    doc.SetVersion("1.0");
    return doc.CreateDocumentElement(kRoot);
}

cl::TXMLNode Root(const cl::TXMLDocument& doc)
{
    return doc.ChildNode(kRoot);
}

cl::TXMLNode AddCategory(cl::TXMLNode& root, const std::string& name)
{
    cl::TXMLNode category = root.AddChild(kCategory);
    category.SetAttribute(kCategoryName, name);
    return category;
}

void Write(const cl::TXMLDocument& doc, const std::string& file)
{
    std::string folder = cl::ExtractFileDir(file);
    if (!cl::DirectoryExists(folder) && !cl::ForceDirectories(folder))
        throw cl::EFCreateError(cl::Format("Cannot create the folder \"%s\"", folder));
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
}

}  // namespace station_cache

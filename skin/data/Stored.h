#pragma once
// TskCompressedStoredSkin: one skin as a zlib stream, carried in a form resource ("CompressedData")
// or read from a packed ".skn" file, and the packer that makes one from a skin description file
// and the BMP files beside it. Needs no window: the skin generator packs the program's skins
// with it at build time.
//
// Packed file: int32 version (taken when 3 or less), int32 length N, N bytes of zlib data.
// Inflated stream: int32 version, three pictures (flag byte, BMP when the flag is 0), two more
// such pairs in version 2 only, int32 count and that many BMP files, then the description text.
#include <string>

#include "classlib/classes/Classes.h"

namespace sk {

class TskCompressedStoredSkin : public cl::TComponent {
public:
    explicit TskCompressedStoredSkin(cl::TComponent* AOwner);
    ~TskCompressedStoredSkin() override;

    // A display name for the skin.
    std::string Description;

    const std::string& FileName() const { return fileName_; }
    // At design time (and not while the form is read): keeps the bare name and packs the
    // description file at Value. Otherwise only a label.
    void SetFileName(const std::string& Value);
    const std::string& CompressedFileName() const { return compressedFileName_; }
    // At design time (and not while the form is read): keeps the bare name and reads the packed
    // file at Value. Otherwise only a label.
    void SetCompressedFileName(const std::string& Value);

    // The zlib stream, without any header.
    cl::TMemoryStream& CompressedStream() { return compressedStream_; }
    const cl::TMemoryStream& CompressedStream() const { return compressedStream_; }
    bool IsEmpty() const;

    // Inflates the whole stream, from its start, into Dest (EReadError for damaged data).
    void DecompressToStream(cl::TStream& Dest) const;
    // Reads a packed skin file. The stream is emptied first; a file of a newer version leaves
    // it empty. EFOpenError when the file cannot be opened; EReadError when it is cut short or
    // its length field does not describe the data that follows.
    void LoadFromCompressedFile(const std::string& AFileName);
    // Packs a skin description file and the pictures it names (relative to its folder) at the
    // best compression. A description lacking one of the sections VERSION, PICTURES, FORMINFO,
    // SKINOBJECTS, SKINCONTROLS changes nothing; a missing or unreadable picture raises the
    // layer's error with the stream already emptied.
    void LoadFromIniFile(const std::string& AFileName);

    // Declares "CompressedData", the stream's bytes, always written.
    void DefineProperties(cl::TFiler* Filer) override;

private:
    bool Designing() const;

    std::string fileName_;
    std::string compressedFileName_;
    cl::TMemoryStream compressedStream_;
};

}  // namespace sk

#include "skin/data/Stream.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "classlib/graphics/BmpFormat.h"
#include "classlib/system/SysUtils.h"
#include "skin/data/ErrorTexts.h"

namespace sk {

namespace {

[[noreturn]] void RaiseDamaged(const char* Why)
{
    RaiseSkinDamaged(Why);
}

std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// Frees the zlib state on every path: End runs once the derived constructor has opened it.
template <int (*End)(z_streamp)>
struct TZlibStream {
    z_stream z{};
    bool open = false;
    TZlibStream() = default;
    TZlibStream(const TZlibStream&) = delete;
    TZlibStream& operator=(const TZlibStream&) = delete;
    ~TZlibStream()
    {
        if (open)
            End(&z);
    }

    // Hands zlib the next part of the input Next .. Next + Left, at most one chunk.
    void Feed(const std::uint8_t*& Next, std::size_t& Left)
    {
        const std::size_t part = Left < SkinZlibChunk ? Left : SkinZlibChunk;
        z.next_in = const_cast<Bytef*>(Next);
        z.avail_in = static_cast<uInt>(part);
        Next += part;
        Left -= part;
    }
};

struct TInflater : TZlibStream<inflateEnd> {
    TInflater()
    {
        if (inflateInit(&z) != Z_OK)
            throw cl::EOutOfMemory(texts::SInflateOutOfMemory);
        open = true;
    }
};

struct TDeflater : TZlibStream<deflateEnd> {
    TDeflater()
    {
        if (deflateInit(&z, Z_BEST_COMPRESSION) != Z_OK)
            throw cl::EOutOfMemory("Out of memory while deflating the skin data");
        open = true;
    }
};

}  // namespace

namespace {

// Where inflate() puts its output: straight into a memory stream's own buffer, all the room it
// has (no copy of the megabyte a skin inflates to, and no sliding-window copy per 4 KB), or
// through a 4 KB buffer into any other stream. The memory stream's room starts at what a skin of
// that compressed size usually inflates to and doubles as the data comes: a 32-bit
// process whose free address space lies in holes smaller than the bound still loads a skin of
// ordinary size. Once doubling would pass half the bound the room goes to the bound at once, so
// the old block and the new one together never hold more than one and a half times the bound.
class TInflateSink {
public:
    TInflateSink(cl::TStream& Dest, std::size_t CompressedSize)
        : dest_(Dest), memory_(dynamic_cast<cl::TMemoryStream*>(&Dest))
    {
        if (memory_) {
            start_ = memory_->Position();
            oldSize_ = memory_->Size();
            const std::int64_t guess =
                static_cast<std::int64_t>(std::min<std::size_t>(CompressedSize, largestFirstRoom_)) * expectedRatio_;
            Reserve(std::clamp(guess, smallestFirstRoom_, largestFirstRoom_));
        }
    }
    std::uint8_t* Next(std::size_t& Room)
    {
        if (!memory_) {
            Room = buffer_.size();
            return buffer_.data();
        }
        const std::int64_t at = start_ + written_;
        if (memory_->Size() < at + chunk_) {
            if (memory_->Capacity() < at + chunk_) {
                const std::int64_t room = memory_->Capacity() - start_;
                Reserve(2 * room > boundRoom_ / 2 ? boundRoom_ : 2 * room);
            }
            // The size doubles within the room, so only the pages written are ever touched.
            memory_->SetSize(std::max(at + chunk_, std::min(memory_->Size() * 2, memory_->Capacity())));
        }
        Room = static_cast<std::size_t>(memory_->Size() - at);
        return static_cast<std::uint8_t*>(memory_->Memory()) + at;
    }
    void Took(std::size_t Count)
    {
        if (!memory_)
            dest_.WriteBuffer(buffer_.data(), static_cast<std::int64_t>(Count));
        written_ += static_cast<std::int64_t>(Count);
    }
    // Trims what was reserved and leaves the position after the data, as writing would.
    void Finish()
    {
        if (!memory_)
            return;
        Trim();
        memory_->SetPosition(start_ + written_);
    }
    ~TInflateSink()
    {
        if (memory_)
            Trim();
    }

private:
    // Room for Bytes of inflated data after the start, never less than the stream holds.
    void Reserve(std::int64_t Bytes) { memory_->SetCapacity(std::max(oldSize_, start_ + Bytes)); }

    // Gives back the room not used; a copy only when the data is at most half the room, so the
    // copy and the room together never hold more than the room alone.
    void Trim() noexcept
    {
        const std::int64_t size = std::max(oldSize_, start_ + written_);
        try {
            if (memory_->Size() > size)
                memory_->SetSize(size);
            if (size <= memory_->Capacity() / 2)
                memory_->SetCapacity(size);
        } catch (...) {
            // Shrinking cannot fail for want of memory that matters: the room stays as it is.
        }
    }

    static constexpr std::int64_t chunk_ = static_cast<std::int64_t>(SkinZlibChunk);
    // Room for the bound and the one chunk past it at which the caller stops.
    static constexpr std::int64_t boundRoom_ = MaxInflatedSkinSize + chunk_;
    // The stored skins inflate to 30 to 65 times their compressed size; photographs far less.
    // The first room stays small enough for a hole of a fragmented address space.
    static constexpr std::int64_t expectedRatio_ = 32;
    static constexpr std::int64_t smallestFirstRoom_ = 16 * chunk_;
    static constexpr std::int64_t largestFirstRoom_ = 4 * 1024 * 1024;
    cl::TStream& dest_;
    cl::TMemoryStream* memory_;
    std::int64_t start_ = 0;
    std::int64_t oldSize_ = 0;
    std::int64_t written_ = 0;
    std::array<std::uint8_t, SkinZlibChunk> buffer_;
};

}  // namespace

void InflateSkinData(const void* Data, std::size_t Size, cl::TStream& Dest)
{
    TInflater inflater;
    z_stream& z = inflater.z;
    TInflateSink sink(Dest, Size);
    const auto* next = static_cast<const std::uint8_t*>(Data);
    std::size_t left = Size;
    std::int64_t produced = 0;
    for (;;) {
        if (z.avail_in == 0 && left > 0)
            inflater.Feed(next, left);
        std::size_t room = 0;
        z.next_out = sink.Next(room);
        z.avail_out = static_cast<uInt>(room);
        const int result = inflate(&z, Z_NO_FLUSH);
        const std::size_t got = room - z.avail_out;
        if (got > 0) {
            produced += static_cast<std::int64_t>(got);
            if (produced > MaxInflatedSkinSize)
                RaiseDamaged("it inflates to more than a skin can hold");
            sink.Took(got);
        }
        if (result == Z_STREAM_END) {
            sink.Finish();
            return;
        }
        if (result == Z_NEED_DICT || result == Z_DATA_ERROR)
            RaiseDamaged("the compressed data is corrupt");
        if (result == Z_MEM_ERROR)
            throw cl::EOutOfMemory(texts::SInflateOutOfMemory);
        // No progress possible: the input ran out before the zlib stream ended.
        if (result == Z_BUF_ERROR)
            RaiseDamaged("the compressed data ends too early");
    }
}

void DeflateSkinData(const void* Data, std::size_t Size, cl::TStream& Dest)
{
    TDeflater deflater;
    z_stream& z = deflater.z;
    std::array<std::uint8_t, SkinZlibChunk> out;
    const auto* next = static_cast<const std::uint8_t*>(Data);
    std::size_t left = Size;
    int flush = Z_NO_FLUSH;
    int result = Z_OK;
    do {
        if (z.avail_in == 0 && flush == Z_NO_FLUSH) {
            deflater.Feed(next, left);
            if (left == 0)
                flush = Z_FINISH;
        }
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        result = deflate(&z, flush);
        if (result == Z_STREAM_ERROR)
            throw cl::EWriteError("The skin data could not be compressed");
        Dest.WriteBuffer(out.data(), static_cast<std::int64_t>(out.size() - z.avail_out));
    } while (result != Z_STREAM_END);
}

void ReadSkinPicture(cl::TStream& Stream, cl::TBitmap& Bitmap, std::int64_t& Budget)
{
    const std::int64_t start = Stream.Position();
    const std::int64_t left = Stream.Size() - start;
    // File header, header size, then the fields of either header kind up to the colour count.
    std::array<std::uint8_t, 50> head{};
    constexpr std::int64_t kCoreHeadSize = 26;
    if (left < kCoreHeadSize)
        RaiseDamaged(texts::SPictureCutShort);
    Stream.ReadBuffer(head.data(), std::min<std::int64_t>(left, static_cast<std::int64_t>(head.size())));
    Stream.SetPosition(start);
    if (head[0] != 'B' || head[1] != 'M')
        RaiseDamaged("a picture is not a BMP file");
    const std::int64_t fileSize = U32(head.data() + 2);
    const std::int64_t pixelsAt = U32(head.data() + 10);
    const std::uint32_t headerSize = U32(head.data() + 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bitCount = 0;
    std::int64_t colours = 0;
    if (headerSize == 12) {
        width = U16(head.data() + 18);
        height = static_cast<std::int16_t>(U16(head.data() + 20));
        bitCount = U16(head.data() + 24);
    } else {
        if (left < static_cast<std::int64_t>(head.size()))
            RaiseDamaged(texts::SPictureCutShort);
        width = static_cast<std::int32_t>(U32(head.data() + 18));
        height = static_cast<std::int32_t>(U32(head.data() + 22));
        bitCount = U16(head.data() + 28);
        colours = U32(head.data() + 46);
    }
    if (height < 0)
        height = -height;
    if (bitCount <= 0 || bitCount > 32 || width <= 0 || height == 0 || width > cl::BmpMaxDimension ||
        height > cl::BmpMaxDimension)
        RaiseDamaged("a picture has an impossible header");
    if (colours > left / 4)
        RaiseDamaged("a picture's colour table is larger than the picture");
    // The rows alone must fit both in what the file says it is and in what the stream holds.
    const std::int64_t rows = (width * bitCount + 31) / 32 * 4 * height;
    const std::int64_t needed = 14 + static_cast<std::int64_t>(headerSize) + rows;
    if (fileSize > left || needed > left)
        RaiseDamaged(texts::SPictureCutShort);
    if (pixelsAt > left - rows)
        RaiseDamaged("a picture's pixels begin past its end");
    const std::int64_t pixels = (width * 3 + 3) / 4 * 4 * height;
    if (pixels > Budget)
        RaiseDamaged("its pictures are larger than a skin can hold");
    Budget -= pixels;
    Bitmap.LoadFromStream(&Stream);
    // A file header may claim fewer bytes than the rows took; the reader went on to what the
    // rows need, which the check above kept inside the stream.
    if (Stream.Position() < start + fileSize)
        Stream.SetPosition(start + fileSize);
}

void ReadFlaggedSkinPicture(cl::TStream& Stream, cl::TBitmap& Bitmap, std::int64_t& Budget)
{
    std::uint8_t flag = 0;
    if (Stream.Read(&flag, 1) != 1)
        RaiseSkinDamaged(cl::Format(texts::SSkinEndsEarly, "pictures"));
    if (flag != 0)
        Bitmap.SetSize(0, 0);
    else
        ReadSkinPicture(Stream, Bitmap, Budget);
}

std::int32_t ReadSkinInt32(cl::TStream& Stream, const char* What)
{
    std::uint8_t bytes[4];
    if (Stream.Read(bytes, 4) != 4)
        RaiseSkinDamaged(cl::Format(texts::SSkinEndsEarly, What));
    return static_cast<std::int32_t>(U32(bytes));
}

void RaiseSkinDamaged(const std::string& Why)
{
    throw cl::EReadError(cl::Format(texts::SSkinDamaged, Why));
}

}  // namespace sk

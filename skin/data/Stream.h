#pragma once
// The bytes of a skin: the zlib stream a stored skin or a packed ".skn" file carries, and the
// pictures of the inflated stream. Skins can come from a user's file, so every length is
// checked against the data that is really there before anything is allocated for it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/classes/Classes.h"

namespace sk {

// No real skin comes near these; they keep a damaged or hostile file from taking the memory or
// the GDI handles of the program.
constexpr std::int64_t MaxInflatedSkinSize = 64ll * 1024 * 1024;
constexpr std::int64_t MaxPackedSkinDataSize = MaxInflatedSkinSize + 1024 * 1024;
constexpr int MaxSkinPictureCount = 1000;
// All pictures of one skin together, as 24-bit pixels (a real skin needs one or two MB).
constexpr std::int64_t MaxSkinPictureBytes = 64ll * 1024 * 1024;
// The newest layout of the packed file and of the inflated stream this program reads.
constexpr std::int32_t SkinStreamVersion = 3;
// zlib is fed the compressed data in pieces of this size, and deflate writes through a buffer
// of it.
constexpr std::size_t SkinZlibChunk = 4096;

// Inflates one whole zlib stream into Dest. EReadError when the data is damaged, ends before
// the zlib stream does, or would inflate to more than MaxInflatedSkinSize bytes.
void InflateSkinData(const void* Data, std::size_t Size, cl::TStream& Dest);
// Deflates Size bytes at the best compression into Dest.
void DeflateSkinData(const void* Data, std::size_t Size, cl::TStream& Dest);

// Reads one BMP file of the inflated stream into Bitmap and leaves the stream just after it.
// The file's headers are checked against the bytes left first: a length or a size that the
// stream cannot hold, or pixels beyond what is left of Budget (bytes of 24-bit pixels, taken
// from it), raise EReadError before any pixel memory is taken; a format the layer does not
// read raises its EInvalidGraphic.
void ReadSkinPicture(cl::TStream& Stream, cl::TBitmap& Bitmap, std::int64_t& Budget);

// A flag byte, then a BMP file when the flag is 0; any other flag means no picture (Bitmap
// is emptied).
void ReadFlaggedSkinPicture(cl::TStream& Stream, cl::TBitmap& Bitmap, std::int64_t& Budget);

// A little-endian 32-bit field of the inflated stream; EReadError naming What when the stream
// ends before it.
std::int32_t ReadSkinInt32(cl::TStream& Stream, const char* What);

// EReadError "The skin data is damaged: <Why>".
[[noreturn]] void RaiseSkinDamaged(const std::string& Why);

}  // namespace sk

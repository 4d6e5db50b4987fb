#pragma once
// The texts of the errors that end a skin load. Each names what is wrong; the load adds the name
// of the skin file (or stored skin) in front through SkinErrorInFile.
namespace sk::texts {

inline constexpr const char* SSkinDamaged = "The skin data is damaged: %s";
inline constexpr const char* SSkinInFile = "\"%s\": %s";
inline constexpr const char* SSkinTooManyPictures = "it declares %d pictures; a skin holds at most %d";
inline constexpr const char* SSkinEndsEarly = "it ends before its %s";
inline constexpr const char* SPictureCutShort = "a picture is cut short";
inline constexpr const char* SPackedTooShort = "\"%s\" is not a packed skin file: it has %d bytes, fewer than its header";
inline constexpr const char* SPackedBadLength = "\"%s\" is not a packed skin file: its data length %d does not fit the file";
inline constexpr const char* SIniTooManyPictures = "\"%s\" names %d pictures; a skin holds at most %d";
inline constexpr const char* SLoadWhileAnnouncing = "A skin cannot be loaded while another skin load is being announced";
inline constexpr const char* SInflateOutOfMemory = "Out of memory while inflating the skin data";
inline constexpr const char* SPictureWithoutName = "Cannot open file \"%s\". Picture %d of \"activepictures\" has no name";

}  // namespace sk::texts

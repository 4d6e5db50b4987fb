#pragma once
// Where the program finds its stored skins among its resources. The stored skin at list index
// I (0 .. StoredSkinCount - 1, in the main window's order) is:
//   the RCDATA resource StoredSkinFirstId + I: its zlib stream (version 3, beginning 78 DA);
//   the string StoredSkinDescriptionId + I: its Description ("XSystem" ...);
//   the string StoredSkinFileNameId + I: the description file it was packed from ("XSystem.ini");
//   the string StoredSkinPackedNameId + I: its packed-file name ("XSystem.skn").
// Enumerate by index until the RCDATA resource is missing.
namespace trebanix {

inline constexpr int StoredSkinFirstId = 5000;
inline constexpr int StoredSkinDescriptionId = 5000;
inline constexpr int StoredSkinFileNameId = 5100;
inline constexpr int StoredSkinPackedNameId = 5200;
inline constexpr int StoredSkinCount = 35;

}  // namespace trebanix

#pragma once
// Texts of the skinned forms and dialogs that are not interface strings of the skin.
namespace sk {

// The preview's caption when the highlighted stored skin cannot be read.
inline constexpr const char* SSelectSkinDamaged = "This skin cannot be read";
// Building the skin-selection dialog for an owner without stored skins.
inline constexpr const char* SSelectSkinNoSkins = "There are no stored skins to choose from";
// Defaults of the file and text dialogs.
inline constexpr const char* SOpenDialogTitle = "Open file";
inline constexpr const char* SSaveDialogTitle = "Save file";
inline constexpr const char* SOpenDialogFilter = "All files|*.*";
inline constexpr const char* STextDialogCaption = "Input text";

}  // namespace sk

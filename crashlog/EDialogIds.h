#pragma once
// Resource names, control identifiers and timer of the exception dialog, shared by its template
// and its code.

#define IDC_EXC_TERMINATE 3
#define IDC_EXC_OK 2
#define IDC_EXC_DETAILS 4
#define IDC_EXC_TEXT 101
#define IDC_EXC_PAGE_CAPTION 102
#define IDC_EXC_PAGE_CONTENT 103
#define IDC_EXC_TABS 1000

#ifdef __cplusplus
namespace crashlog {

inline constexpr const char* DialogTemplateName = "DIALOG";
inline constexpr const char* ListPageTemplateName = "TAB_LIST";
inline constexpr const char* MemoPageTemplateName = "TAB_MEMO";
// The list's images, in the order of their indexes, and the dialog's picture; magenta shows
// what lies beneath.
inline constexpr const char* RowPictureNames[] = {"PAS", "DLL", "BPL", "VCL"};
inline constexpr const char* DialogPictureName = "MONITOR";
inline constexpr COLORREF PictureTransparentColour = RGB(255, 0, 255);
// Ends a dialog that was never marked as shown.
inline constexpr UINT_PTR GuardTimerId = 1;
inline constexpr UINT GuardTimerInterval = 1;

}  // namespace crashlog
#endif

#pragma once
// TskSkinData: the component that holds the current skin — its pictures, the form description,
// the skin colours, the popup and hint window descriptions and the named object and control
// descriptions — and tells the application's forms when the skin changes.
//
// Skin messages, sent synchronously with WParam = the skin data and LParam = 1000, first to the
// owner form, then to every other form in the screen's order:
//   WM_BEFORECHANGESKINDATA  before a load clears the skin (Empty is already True);
//   WM_CHANGESKINDATA        after a complete load (Empty is False), then at once
//   WM_AFTERCHANGESKINDATA;
//   WM_CHANGERESSTRDATA      when the interface-string table is set.
// A load that fails part-way leaves the skin cleared and Empty, with no message after the first.
#include <memory>
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/classes/Classes.h"
#include "classlib/classes/ComponentRef.h"
#include "classlib/system/Types.h"
#include "skin/data/Controls.h"
#include "skin/data/Lists.h"
#include "skin/data/Objects.h"
#include "skin/data/Stored.h"
#include "skin/data/Text.h"

namespace sk {

class TskResourceStrData;

constexpr unsigned WM_BEFORECHANGESKINDATA = 0x0400 + 201;  // 1225
constexpr unsigned WM_CHANGESKINDATA = 0x0400 + 202;        // 1226
constexpr unsigned WM_AFTERCHANGESKINDATA = 0x0400 + 203;   // 1227
constexpr unsigned WM_CHANGERESSTRDATA = 0x0400 + 250;      // 1274
// The LParam of every skin message.
constexpr long SkinMessageLParam = 1000;

class TskSkinData : public cl::TComponent {
public:
    explicit TskSkinData(cl::TComponent* AOwner);
    ~TskSkinData() override;

    // Morphing transitions of buttons and check boxes run only while this is on.
    bool EnableSkinEffects = true;

    TskCompressedStoredSkin* CompressedStoredSkin() const { return compressedStoredSkin_; }
    // Stores the reference and, outside design time and for a non-nil value, loads it at once
    // (also while the form resource is read). A non-empty stored skin set while a load is being
    // announced raises EInvalidOperation, with nothing changed.
    void SetCompressedStoredSkin(TskCompressedStoredSkin* Value);
    TskResourceStrData* ResourceStrData() const { return resourceStrData_; }
    // Stores the reference and, outside design time, announces it (also for nil).
    void SetResourceStrData(TskResourceStrData* Value);

    // The form description, from [FORMINFO].
    std::unique_ptr<TskSkinColors> SkinColors;
    TRect ButtonsRect;
    TRect CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    bool AutoRenderingInactiveImage = false;
    TskImageEffect InactiveEffect = ieBrightness;
    std::unique_ptr<TskDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TskDataSkinHintWindow> HintWindow;
    // True from the start of a load to its successful end, and before the first load: callers
    // then treat the skin as absent, whatever the lists hold.
    bool Empty = true;
    std::unique_ptr<cl::TBitmap> Picture;
    std::unique_ptr<cl::TBitmap> InactivePicture;
    std::unique_ptr<cl::TBitmap> Mask;
    // Every picture index of a description addresses this list from 0; -1, or an index not
    // below its count, means no picture.
    TskOwnedList<cl::TBitmap> ActivePictures;
    std::string PictureName;
    std::string InactivePictureName;
    std::string MaskName;
    std::unique_ptr<cl::TStringList> ActivePictureNames;
    TskDataSkinObjectList ObjectList;
    TskDataSkinControlList CtrlList;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool MainMenuPopupUp = false;
    TRect MaskRectArea;
    TPoint HitTestLTPoint;
    TPoint HitTestRTPoint;
    TPoint HitTestLBPoint;
    TPoint HitTestRBPoint;
    TRect ClRect;
    int BorderWidth = 0;
    int FormMinWidth = 0;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    std::string SkinName;
    std::string SkinAuthor;
    std::string AuthorURL;
    std::string AuthorEmail;
    std::string SkinComments;

    // Reads a packed skin file through a temporary stored skin and loads it when it holds
    // data; CompressedStoredSkin is left as it is. The file's errors reach the caller before
    // anything is cleared.
    void LoadFromCompressedFile(const std::string& FileName);
    // The load: nothing at all for an empty stored skin; otherwise announce, clear, read the
    // inflated stream and the description text, announce again. A stream of a newer version
    // leaves the skin cleared and Empty. EInvalidOperation while another load is announcing.
    void LoadCompressedStoredSkin(TskCompressedStoredSkin* AStoredSkin);

    // Position of the first description with exactly this IDName (letter case counts); -1
    // when there is none. The lists are searched even while Empty: callers test Empty first.
    int IndexOfControl(const std::string& AName) const;
    int IndexOfObject(const std::string& AName) const;

    // Sends one skin message to the owner form, then to every other form of the screen.
    void BroadcastSkinMessage(unsigned Msg);

    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

    // The steps of a load, in order (each also usable on its own by tests).
    void ClearDescriptions();
    void ClearSkin();
    void LoadFormInfo(cl::TMemIniFile& IniFile);
    void LoadSkinObjects(cl::TMemIniFile& IniFile);
    void LoadSkinControls(cl::TMemIniFile& IniFile);

private:
    bool Designing() const { return ComponentState().Contains(cl::csDesigning); }
    void ReadInflatedStream(cl::TMemoryStream& Stream);

    cl::TComponentRef<TskCompressedStoredSkin> compressedStoredSkin_{this};
    cl::TComponentRef<TskResourceStrData> resourceStrData_{this};
    // Set while a load runs; receivers of the messages must not start another one.
    bool loading_ = false;
};

}  // namespace sk

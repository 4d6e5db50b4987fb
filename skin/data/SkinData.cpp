#include "skin/data/SkinData.h"

#include <algorithm>

#include "classlib/classes/IniFiles.h"
#include "classlib/system/SysUtils.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/data/Stream.h"
#include "skin/data/ErrorTexts.h"

namespace sk {

namespace {

// Clears the loading flag however the load ends.
class TLoadGuard {
public:
    explicit TLoadGuard(bool& Flag) : flag_(Flag) { flag_ = true; }
    ~TLoadGuard() { flag_ = false; }
    TLoadGuard(const TLoadGuard&) = delete;
    TLoadGuard& operator=(const TLoadGuard&) = delete;

private:
    bool& flag_;
};

// What a skin's errors call it: the packed file it came from, else the description it was packed
// from, else the stored skin's display name.
std::string SkinSourceName(const TskCompressedStoredSkin& Stored)
{
    if (!Stored.CompressedFileName().empty())
        return Stored.CompressedFileName();
    if (!Stored.FileName().empty())
        return Stored.FileName();
    return Stored.Description;
}

}  // namespace

TskSkinData::TskSkinData(cl::TComponent* AOwner)
    : cl::TComponent(AOwner),
      SkinColors(std::make_unique<TskSkinColors>()),
      PopupWindow(std::make_unique<TskDataSkinPopupWindow>()),
      HintWindow(std::make_unique<TskDataSkinHintWindow>()),
      Picture(std::make_unique<cl::TBitmap>()),
      InactivePicture(std::make_unique<cl::TBitmap>()),
      Mask(std::make_unique<cl::TBitmap>()),
      ActivePictureNames(std::make_unique<cl::TStringList>())
{
}

TskSkinData::~TskSkinData()
{
    Empty = true;
    ClearDescriptions();
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* Value)
{
    if (loading_ && Value && !Value->IsEmpty() && !Designing())
        throw cl::EInvalidOperation(texts::SLoadWhileAnnouncing);
    compressedStoredSkin_.Set(Value);
    if (!Value)
        return;
    if (!Designing())
        LoadCompressedStoredSkin(Value);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* Value)
{
    resourceStrData_.Set(Value);
    if (!Designing())
        BroadcastSkinMessage(WM_CHANGERESSTRDATA);
}

void TskSkinData::Notification(cl::TComponent* AComponent, cl::TOperation Operation)
{
    cl::TComponent::Notification(AComponent, Operation);
    if (Operation != cl::opRemove)
        return;
    compressedStoredSkin_.Forget(AComponent, Operation);
    resourceStrData_.Forget(AComponent, Operation);
}

void TskSkinData::LoadFromCompressedFile(const std::string& FileName)
{
    if (loading_)
        throw cl::EInvalidOperation(texts::SLoadWhileAnnouncing);
    std::unique_ptr<TskCompressedStoredSkin> stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    stored->LoadFromCompressedFile(FileName);
    // Only a label at run time: errors of the load name the file by it.
    stored->SetCompressedFileName(cl::ExtractFileName(FileName));
    if (!stored->IsEmpty())
        LoadCompressedStoredSkin(stored.get());
}

void TskSkinData::LoadCompressedStoredSkin(TskCompressedStoredSkin* AStoredSkin)
{
    if (!AStoredSkin || AStoredSkin->IsEmpty())
        return;
    if (loading_)
        throw cl::EInvalidOperation(texts::SLoadWhileAnnouncing);
    TLoadGuard guard(loading_);
    Empty = true;
    BroadcastSkinMessage(WM_BEFORECHANGESKINDATA);
    ClearSkin();
    try {
        cl::TMemoryStream stream;
        AStoredSkin->DecompressToStream(stream);
        stream.SetPosition(0);
        if (ReadSkinInt32(stream, "version") > SkinStreamVersion)
            return;
        ReadInflatedStream(stream);
    } catch (cl::Exception& e) {
        // Nothing half-read stays behind a failed load, and the error says which skin it was.
        ClearSkin();
        const std::string name = SkinSourceName(*AStoredSkin);
        if (!name.empty())
            e.SetMessage(cl::Format(texts::SSkinInFile, name, e.Message()));
        throw;
    } catch (...) {
        ClearSkin();
        throw;
    }
    Empty = false;
    BroadcastSkinMessage(WM_CHANGESKINDATA);
    BroadcastSkinMessage(WM_AFTERCHANGESKINDATA);
}

void TskSkinData::ReadInflatedStream(cl::TMemoryStream& Stream)
{
    Stream.SetPosition(0);
    const auto version = ReadSkinInt32(Stream, "version");
    std::int64_t budget = MaxSkinPictureBytes;
    ReadFlaggedSkinPicture(Stream, *Picture, budget);
    ReadFlaggedSkinPicture(Stream, *InactivePicture, budget);
    ReadFlaggedSkinPicture(Stream, *Mask, budget);
    if (version == 2) {
        cl::TBitmap discarded;
        ReadFlaggedSkinPicture(Stream, discarded, budget);
        ReadFlaggedSkinPicture(Stream, discarded, budget);
    }
    const auto count = ReadSkinInt32(Stream, "picture count");
    if (count > MaxSkinPictureCount)
        RaiseSkinDamaged(cl::Format(texts::SSkinTooManyPictures, count, MaxSkinPictureCount));
    for (int i = 0; i < count; ++i) {
        cl::TBitmap* picture = ActivePictures.Add(std::make_unique<cl::TBitmap>());
        ReadSkinPicture(Stream, *picture, budget);
    }

    // The rest of the stream is the description text, bounded only by the inflated data's own
    // bound; it is read in place.
    const std::int64_t textSize = Stream.Size() - Stream.Position();
    cl::TMemIniFile ini;
    if (textSize > 0)
        ini.SetText(std::string_view(static_cast<const char*>(Stream.Memory()) + Stream.Position(),
                                     static_cast<std::size_t>(textSize)));

    SkinName = skReadString(ini, "VERSION", "skinname");
    SkinAuthor = skReadString(ini, "VERSION", "skinauthor");
    AuthorEmail = skReadString(ini, "VERSION", "authoremail");
    AuthorURL = skReadString(ini, "VERSION", "authorurl");
    SkinComments = skReadString(ini, "VERSION", "skincomments");

    PictureName = skReadString(ini, "PICTURES", "picture");
    InactivePictureName = skReadString(ini, "PICTURES", "inactivepicture");
    MaskName = skReadString(ini, "PICTURES", "mask");
    skReadList(ini, "PICTURES", "activepictures", *ActivePictureNames);

    LoadFormInfo(ini);
    PopupWindow->LoadFromFile(ini);
    HintWindow->LoadFromFile(ini);
    SkinColors->LoadFromFile(ini);
    LoadSkinObjects(ini);
    LoadSkinControls(ini);
}

void TskSkinData::ClearDescriptions()
{
    ObjectList.Clear();
    CtrlList.Clear();
    ActivePictures.Clear();
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    ActivePictureNames->Clear();
    SkinColors->SetDefaults();
}

void TskSkinData::ClearSkin()
{
    ClearDescriptions();
    Picture->SetSize(0, 0);
    Mask->SetSize(0, 0);
    InactivePicture->SetSize(0, 0);
    PictureName.clear();
    InactivePictureName.clear();
    MaskName.clear();
    Empty = true;
}

void TskSkinData::LoadFormInfo(cl::TMemIniFile& IniFile)
{
    TskDataReader r(IniFile, "FORMINFO");
    r.Corners("", LTPoint, RTPoint, LBPoint, RBPoint);
    r.Rect("clientrect", ClRect);
    r.Integer("bgpictureindex", BGPictureIndex, -1);
    r.Integer("mdibgpictureindex", MDIBGPictureIndex, -1);
    r.Stretches(LeftStretch, RightStretch, TopStretch, BottomStretch);
    r.Rect("maskrectarea", MaskRectArea);
    r.Corners("hittest", HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint);

    // With a mask, the mask area covers at least the client area, and a hit-test corner left
    // at 0 on either axis takes the corner point as read.
    if (!MaskName.empty()) {
        if (MaskRectArea.Width() <= 0 || MaskRectArea.Height() <= 0) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClRect.Bottom);
        }
        auto correct = [](TPoint& hitTest, const TPoint& corner) {
            if (hitTest.X == 0 || hitTest.Y == 0)
                hitTest = corner;
        };
        correct(HitTestLTPoint, LTPoint);
        correct(HitTestRTPoint, RTPoint);
        correct(HitTestLBPoint, LBPoint);
        correct(HitTestRBPoint, RBPoint);
    }

    r.Rect("buttonsrect", ButtonsRect);
    r.Rect("captionrect", CaptionRect);
    r.Integer("buttonsoffset", ButtonsOffset, 0);
    r.Boolean("buttonsinleft", ButtonsInLeft);
    r.Boolean("mainmenupopupup", MainMenuPopupUp);
    r.Integer("borderwidth", BorderWidth, 0);
    r.Integer("formminwidth", FormMinWidth, 0);
    r.Boolean("autorenderinginactiveimage", AutoRenderingInactiveImage);
    InactiveEffect = skReadInactiveEffect(IniFile, "FORMINFO", "inactiveeffect");

    // The corners are kept inside the client rectangle, unless the skin has no corner area.
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint.X = std::max(LTPoint.X, ClRect.Left);
        LTPoint.Y = std::max(LTPoint.Y, ClRect.Top);
        RTPoint.X = std::min(RTPoint.X, ClRect.Right);
        RTPoint.Y = std::max(RTPoint.Y, ClRect.Top);
        LBPoint.X = std::max(LBPoint.X, ClRect.Left);
        LBPoint.Y = std::min(LBPoint.Y, ClRect.Bottom);
        RBPoint.X = std::min(RBPoint.X, ClRect.Right);
        RBPoint.Y = std::min(RBPoint.Y, ClRect.Bottom);
    }
}

void TskSkinData::LoadSkinObjects(cl::TMemIniFile& IniFile)
{
    sk::LoadSkinObjects(IniFile, ObjectList);
}

void TskSkinData::LoadSkinControls(cl::TMemIniFile& IniFile)
{
    sk::LoadSkinControls(IniFile, CtrlList);
}

int TskSkinData::IndexOfControl(const std::string& AName) const
{
    return CtrlList.IndexOfID(AName);
}

int TskSkinData::IndexOfObject(const std::string& AName) const
{
    return ObjectList.IndexOfID(AName);
}

}  // namespace sk

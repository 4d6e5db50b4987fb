#pragma once
// Actions: a command with a caption, state and handler that several clients (menu items,
// buttons) show alike. A client holds a TActionLink; the action tells its links when one of its
// properties changes, and the client copies what it shows.
#include <vector>

#include "classlib/Classes.h"

namespace cl {

class TActionLink;
class TCustomImageList;

using THintEvent = TEvent<void(AnsiString& HintStr, bool& CanShow)>;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;

    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate; false when there is none.
    virtual bool Update();
    // The client that executed the action last.
    TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(TComponent* Value);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Every link hears of a change.
    void Change();

private:
    friend class TActionLink;
    std::vector<TActionLink*> links_;
    TComponent* actionComponent_ = nullptr;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& Value);
    bool Checked() const { return checked_; }
    // A checked radio action unchecks the others of its group in the same owner.
    void SetChecked(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    unsigned short ShortCut() const { return shortCut_; }
    void SetShortCut(unsigned short Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool Value) { autoCheck_ = Value; }

    // Lets OnHint change or refuse the hint shown for a client; true when it may show.
    virtual bool DoHint(AnsiString& HintStr);
    bool Execute() override;

    THintEvent OnHint;

private:
    AnsiString caption_;
    AnsiString hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool autoCheck_ = false;
    int imageIndex_ = -1;
    unsigned short shortCut_ = 0;
    int groupIndex_ = 0;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

// A client's tie to its action. The client gives OnChange (copy the action's properties) and
// frees the link before it goes; the link forgets an action that goes first.
class TActionLink : public TObject {
public:
    explicit TActionLink(TComponent* AClient) : client_(AClient) {}
    ~TActionLink() override;
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* Value);
    TComponent* Client() const { return client_; }
    // Executes the action on behalf of the client; false without an action or handler.
    virtual bool Execute(TComponent* AComponent = nullptr);
    virtual bool Update();

    // Called with the action after each change of its properties.
    TNotifyEvent OnChange;

private:
    friend class TBasicAction;
    TComponent* client_;
    TBasicAction* action_ = nullptr;
};

}  // namespace cl

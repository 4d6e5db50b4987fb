#pragma once
// Actions: a command with a caption, state and handler that several clients (menu items,
// buttons) show alike. A client holds a TActionLink. When a property of the action changes,
// the action hands the new value to each link's setter (SetCaption, SetHint...), which writes
// it into the client while that property is linked (Is...Linked), and then tells each link's
// OnChange.
#include <vector>

#include "classlib/classes/Classes.h"
#include "classlib/classes/ComponentRef.h"

namespace cl {

class TActionLink;
class TActionList;
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
    // The client that executed the action last; forgotten when freed.
    TComponent* ActionComponent() const { return actionComponent_.Get(); }
    void SetActionComponent(TComponent* Value);
    const TNotifyEvent& OnExecute() const { return onExecute_; }
    // Linked clients take the new handler too.
    void SetOnExecute(const TNotifyEvent& Value);

    TNotifyEvent OnUpdate;

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Every link's OnChange.
    void Change();
    // Each link in turn (a copy: a link may leave during the call).
    template <class F>
    void ForEachLink(const F& f);

private:
    friend class TActionLink;
    std::vector<TActionLink*> links_;
    TComponentRef<TComponent> actionComponent_{this};
    TNotifyEvent onExecute_;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    ~TCustomAction() override;

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& Value);
    bool Checked() const { return checked_; }
    // A checked action of a group (GroupIndex > 0) unchecks the others of its group in the
    // same action list (or, without a list, the same owner).
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
    // The list the action belongs to (its images are the action's); forgotten when freed.
    TActionList* ActionList() const { return actionList_; }
    void SetActionList(TActionList* Value);

    // Lets OnHint change or refuse the hint shown for a client; true when it may show.
    virtual bool DoHint(AnsiString& HintStr);
    // A disabled action runs nothing (and counts as handled).
    bool Execute() override;

    THintEvent OnHint;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TActionList;
    AnsiString caption_;
    AnsiString hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool autoCheck_ = false;
    int imageIndex_ = -1;
    unsigned short shortCut_ = 0;
    int groupIndex_ = 0;
    TActionList* actionList_ = nullptr;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

// A set of actions sharing one image list.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TCustomAction* Actions(int Index) const;
    // Windows only (the image lists need the platform's drawing); forgotten when freed.
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* Value);

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCustomAction;
    std::vector<TCustomAction*> actions_;
    TComponentRef<TComponent> images_{this};
};

// A client's tie to its action. The client frees the link before it goes; the link forgets
// an action that goes first (then OnChange is not called again).
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

    // Whether the client shows the action's property: by default, for every property of a
    // custom action. Descendants narrow it (the client's own value must still equal the
    // action's, for instance).
    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsVisibleLinked();
    virtual bool IsGroupIndexLinked();
    virtual bool IsOnExecuteLinked();

    // Called by the action with the new value; descendants write it into their client while
    // linked. Here: nothing.
    virtual void SetCaption(const AnsiString& Value) {}
    virtual void SetChecked(bool Value) {}
    virtual void SetEnabled(bool Value) {}
    virtual void SetHint(const AnsiString& Value) {}
    virtual void SetImageIndex(int Value) {}
    virtual void SetShortCut(unsigned short Value) {}
    virtual void SetVisible(bool Value) {}
    virtual void SetGroupIndex(int Value) {}
    virtual void SetOnExecute(const TNotifyEvent& Value) {}

    // Called with the action after each change of its properties.
    TNotifyEvent OnChange;

private:
    friend class TBasicAction;
    TComponent* client_;
    TBasicAction* action_ = nullptr;
};

template <class F>
void TBasicAction::ForEachLink(const F& f)
{
    const auto links = links_;
    for (TActionLink* link : links)
        for (TActionLink* live : links_)
            if (live == link) {
                f(link);
                break;
            }
}

}  // namespace cl

#pragma once
// The data model of the category-buttons control: an ordered list of categories, each a
// caption band that can be collapsed, holding an ordered list of buttons. Categories and buttons
// carry a data pointer the control never reads. The model needs no window: the control that
// shows it implements TskCategoryButtonsHost and is told of every change through it.
#include <memory>
#include <string>

#include "classlib/menus/ActnList.h"
#include "classlib/classes/Classes.h"

class TskBaseButtonItem;
class TskButtonItem;
class TskButtonCollection;
class TskButtonCategory;
class TskButtonCategories;
class TskButtonItemActionLink;

// What the model asks of the control that shows it.
class TskCategoryButtonsHost {
public:
    virtual ~TskCategoryButtonsHost() = default;

    // Class factories: a descendant control substitutes its own categories and buttons here.
    virtual TskButtonCategories* CreateCategoriesCollection();
    virtual TskButtonCategory* CreateCategory(cl::TCollection* collection);
    virtual TskBaseButtonItem* CreateButton(cl::TCollection* collection);

    // True while the control itself moves a button (drag and drop): changes then repaint nothing.
    virtual bool IsReordering() const { return false; }
    // One button changed: repaint just its rectangle.
    virtual void InvalidateButton(TskBaseButtonItem* item) {}
    // The structure changed: lay out again and repaint the whole control.
    virtual void Relayout() {}
    virtual void ScrollCategoryIntoView(TskButtonCategory* category) {}
    virtual void ScrollButtonIntoView(TskBaseButtonItem* item) {}
    // Fire OnCategoryCollapase / OnReorderCategory when assigned.
    virtual void CategoryCollapsed(TskButtonCategory* category) {}
    virtual void CategoryReordered(TskButtonCategory* source, TskButtonCategory* target) {}
    // The category or button is about to be freed: the control drops every reference into it
    // (selection, focus, hot, pressed, drag state). Clearing the selection fires
    // OnSelectedItemChange with nothing selected.
    virtual void CategoryDestroying(TskButtonCategory* category) {}
    virtual void ButtonDestroying(TskBaseButtonItem* item) {}
    // A button took the action: the control must hear when it is freed, to let go of it.
    virtual void WatchAction(cl::TBasicAction* action) {}
};

// One button.
class TskBaseButtonItem : public cl::TCollectionItem {
public:
    explicit TskBaseButtonItem(cl::TCollection* collection);
    ~TskBaseButtonItem() override;

    // Copies Caption, ImageIndex, Hint and Data from another button (not OnClick or Action).
    void Assign(cl::TPersistent* source) override;
    // The caption, or the inherited display name when it is empty.
    std::string DisplayName() const override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    // The caller's reference: never freed, read or compared by the control.
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    cl::TNotifyEvent OnClick;

    // The action whose caption, hint, image and handler the button shows; nil without one.
    cl::TBasicAction* Action() const;
    // Nil lets go of the action.
    void SetAction(cl::TBasicAction* value);
    TskButtonItemActionLink* ActionLink() const { return actionLink_.get(); }
    // A form stream keeps only what the action does not supply.
    bool IsCaptionStored() const;
    bool IsHintStored() const;
    bool IsImageIndexStored() const;
    bool IsOnClickStored() const;

    TskButtonCollection* ButtonCollection() const;
    // The control that owns the button, when it lies in one.
    virtual TskCategoryButtonsHost* ButtonGroup() const = 0;
    virtual void ScrollIntoView() = 0;

protected:
    // Takes the custom action's caption, hint, image index and execute handler. While the
    // action is still being read from a form stream (CheckDefaults), what the button was given
    // itself is kept.
    virtual void ActionChange(cl::TObject* sender, bool checkDefaults);
    virtual std::unique_ptr<TskButtonItemActionLink> CreateActionLink();

private:
    std::string caption_;
    std::string hint_;
    int imageIndex_ = -1;
    void* data_ = nullptr;
    std::unique_ptr<TskButtonItemActionLink> actionLink_;
};

// Couples a button with its action. A property counts as linked while the button still shows
// the action's value: one the button was given itself is not overwritten by the action.
class TskButtonItemActionLink : public cl::TActionLink {
public:
    explicit TskButtonItemActionLink(TskBaseButtonItem* button);
    TskBaseButtonItem* Button() const { return button_; }

    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    bool IsImageIndexLinked() override;
    bool IsOnExecuteLinked() override;
    void SetCaption(const cl::AnsiString& value) override;
    void SetHint(const cl::AnsiString& value) override;
    void SetImageIndex(int value) override;
    void SetOnExecute(const cl::TNotifyEvent& value) override;

private:
    cl::TCustomAction* CustomAction() const;
    TskBaseButtonItem* button_;
};

// The button class the control creates.
class TskButtonItem : public TskBaseButtonItem {
public:
    using TskBaseButtonItem::TskBaseButtonItem;
    TskCategoryButtonsHost* ButtonGroup() const override;
    void ScrollIntoView() override;
    TskButtonCategory* GetCategory() const;
};

// The buttons of one category.
class TskButtonCollection : public cl::TCollection {
public:
    explicit TskButtonCollection(TskButtonCategory* category);
    ~TskButtonCollection() override;

    TskButtonCategory* Category() const { return category_; }
    TskCategoryButtonsHost* Host() const;
    TskBaseButtonItem* Items(int index) const { return Item<TskBaseButtonItem>(index); }
    TskBaseButtonItem* Add() { return static_cast<TskBaseButtonItem*>(cl::TCollection::Add()); }
    // A new button at the index; a negative index means the end.
    TskBaseButtonItem* Insert(int index);
    // Moves an existing button here (out of its former collection) and then to the index;
    // without one, as Insert. A negative index means the end.
    TskBaseButtonItem* AddItem(TskBaseButtonItem* item, int index);

    void Update(cl::TCollectionItem* item) override;

private:
    void MoveAddedTo(TskBaseButtonItem* item, int index);
    TskButtonCategory* category_;
};

// One category.
class TskButtonCategory : public cl::TCollectionItem {
public:
    explicit TskButtonCategory(cl::TCollection* collection);
    ~TskButtonCategory() override;

    // Copies Caption, Collapsed and Data from another category; the buttons stay as they are.
    void Assign(cl::TPersistent* source) override;
    // Moves the category; the control then scrolls it into view and fires OnReorderCategory.
    void SetIndex(int value) override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Collapsed() const { return collapsed_; }
    void SetCollapsed(bool value);
    TskButtonCollection* Items() const { return items_; }
    // Assigns the given collection's contents.
    void SetItems(TskButtonCollection* value);
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    // Written by the control's layout pass, along its flow axis; meaningless before it.
    int LayoutStart = 0;
    int LayoutEnd = 0;

    TskButtonCategories* Categories() const;
    TskCategoryButtonsHost* Host() const;

private:
    std::string caption_;
    bool collapsed_ = false;
    TskButtonCollection* items_;
    void* data_ = nullptr;
};

// The control's categories.
class TskButtonCategories : public cl::TCollection {
public:
    explicit TskButtonCategories(TskCategoryButtonsHost* host);
    ~TskButtonCategories() override;

    TskCategoryButtonsHost* Host() const { return host_; }
    TskButtonCategory* Items(int index) const { return Item<TskButtonCategory>(index); }
    TskButtonCategory* Add() { return static_cast<TskButtonCategory*>(cl::TCollection::Add()); }

    void Update(cl::TCollectionItem* item) override;

private:
    TskCategoryButtonsHost* host_;
};

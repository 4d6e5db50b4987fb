// The skin messages as the application's forms receive them: real forms, real windows, real
// SendMessage.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classlib/system/ExceptionHooks.h"
#include "classlib/controls/Forms.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/helpers.h"

using namespace sk;
using namespace sktest;

namespace {

// What one form saw of one skin message.
struct TSeen {
    std::string Form;
    unsigned Msg;
    bool RightParams;
    bool Empty;
    int ButtonIndex;
    bool operator==(const TSeen&) const = default;
};

class TRecordingForm : public cl::TForm {
public:
    TRecordingForm(cl::TComponent* AOwner, std::string Label, std::vector<TSeen>& Log)
        : cl::TForm(AOwner), label_(std::move(Label)), log_(Log)
    {
    }
    TskSkinData* Expected = nullptr;
    std::function<void(unsigned Msg)> OnSkinMessage;

protected:
    void Dispatch(cl::TMessage& Message) override
    {
        const unsigned msg = Message.Msg;
        if (msg == WM_BEFORECHANGESKINDATA || msg == WM_CHANGESKINDATA || msg == WM_AFTERCHANGESKINDATA ||
            msg == WM_CHANGERESSTRDATA) {
            auto* data = reinterpret_cast<TskSkinData*>(Message.WParam);
            log_.push_back({label_, msg, data == Expected && Message.LParam == 1000, data->Empty,
                            data->IndexOfControl("button")});
            if (OnSkinMessage)
                OnSkinMessage(msg);
        }
        cl::TForm::Dispatch(Message);
    }

private:
    std::string label_;
    std::vector<TSeen>& log_;
};

std::string SkinText()
{
    return Lines({"[VERSION]", "skinname=Broadcast", "[SKINCONTROLS]", "count=1", "0=button:button"});
}

std::unique_ptr<TskCompressedStoredSkin> StoredSkin(int Version = 3, std::string Text = SkinText())
{
    auto stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    stored->CompressedStream().SetData(Deflate(Inflated(Version, {Absent(), Absent(), Absent()}, {}, Text)));
    return stored;
}

struct SkinMessages : ::testing::Test {
    std::vector<TSeen> log;
    std::vector<TRecordingForm*> forms;
    std::vector<std::string> caught;
    bool (*previousHook)(std::exception_ptr, cl::TObject*, cl::TCatchPoint) = nullptr;
    static SkinMessages*& Current()
    {
        static SkinMessages* current = nullptr;
        return current;
    }

    void SetUp() override
    {
        Current() = this;
        previousHook = cl::ExceptionHooks().OnException;
        cl::ExceptionHooks().OnException = [](std::exception_ptr error, cl::TObject*, cl::TCatchPoint) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                Current()->caught.push_back(e.what());
            }
            return true;
        };
    }
    void TearDown() override
    {
        for (auto it = forms.rbegin(); it != forms.rend(); ++it)
            if (Alive(*it))
                (*it)->Free();
        cl::ExceptionHooks().OnException = previousHook;
        Current() = nullptr;
    }
    TRecordingForm* NewForm(const std::string& Label)
    {
        auto* form = new TRecordingForm(nullptr, Label, log);
        forms.push_back(form);
        return form;
    }
    static bool Alive(cl::TCustomForm* Form)
    {
        for (int i = 0; i < cl::Screen->FormCount(); ++i)
            if (cl::Screen->Forms(i) == Form)
                return true;
        return false;
    }
    void Expect(TskSkinData* Data)
    {
        for (TRecordingForm* form : forms)
            form->Expected = Data;
    }
    std::vector<std::string> Order() const
    {
        std::vector<std::string> order;
        for (const TSeen& seen : log)
            order.push_back(seen.Form + ":" + std::to_string(seen.Msg));
        return order;
    }
};

TEST_F(SkinMessages, TheOwnerFormHearsFirstThenEveryOtherFormOnceInScreenOrder)
{
    NewForm("A");
    TRecordingForm* owner = NewForm("B");
    NewForm("C");
    auto* data = new TskSkinData(owner);
    Expect(data);
    auto stored = StoredSkin();
    data->SetCompressedStoredSkin(stored.get());
    const std::vector<std::string> expected = {"B:1225", "A:1225", "C:1225", "B:1226", "A:1226",
                                               "C:1226", "B:1227", "A:1227", "C:1227"};
    EXPECT_EQ(Order(), expected);
    for (const TSeen& seen : log) {
        SCOPED_TRACE(seen.Form + ":" + std::to_string(seen.Msg));
        EXPECT_TRUE(seen.RightParams);
        // Before the load the skin is already empty; after it, the new descriptions are found.
        EXPECT_EQ(seen.Empty, seen.Msg == WM_BEFORECHANGESKINDATA);
        EXPECT_EQ(seen.ButtonIndex, seen.Msg == WM_BEFORECHANGESKINDATA ? -1 : 0);
    }
    EXPECT_TRUE(caught.empty());
}

TEST_F(SkinMessages, ASkinDataWithoutAFormOwnerTellsEveryForm)
{
    NewForm("A");
    NewForm("B");
    TskSkinData data(nullptr);
    Expect(&data);
    auto stored = StoredSkin();
    data.LoadCompressedStoredSkin(stored.get());
    const std::vector<std::string> expected = {"A:1225", "B:1225", "A:1226", "B:1226", "A:1227", "B:1227"};
    EXPECT_EQ(Order(), expected);
}

TEST_F(SkinMessages, NewerVersionsAndFailuresSendOnlyTheFirstMessage)
{
    NewForm("A");
    TskSkinData data(nullptr);
    Expect(&data);
    auto newer = StoredSkin(4);
    data.LoadCompressedStoredSkin(newer.get());
    auto broken = StoredSkin(3, Lines({"[FORMINFO]", "clientrect=1"}));
    EXPECT_THROW(data.LoadCompressedStoredSkin(broken.get()), cl::EConvertError);
    const std::vector<std::string> expected = {"A:1225", "A:1225"};
    EXPECT_EQ(Order(), expected);
    EXPECT_TRUE(data.Empty);

    // An empty stored skin, or none, says nothing at all.
    log.clear();
    TskCompressedStoredSkin empty(nullptr);
    data.SetCompressedStoredSkin(&empty);
    data.SetCompressedStoredSkin(nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(SkinMessages, SettingTheStringTableIsAnnouncedEvenForNil)
{
    NewForm("A");
    TskSkinData data(nullptr);
    Expect(&data);
    TskResourceStrData strings(nullptr);
    data.SetResourceStrData(&strings);
    data.SetResourceStrData(nullptr);
    const std::vector<std::string> expected = {"A:1274", "A:1274"};
    EXPECT_EQ(Order(), expected);
}

TEST_F(SkinMessages, FormsClosedOrOpenedByAReceiverAreSkippedOrLeftOut)
{
    TRecordingForm* first = NewForm("A");
    TRecordingForm* doomed = NewForm("B");
    NewForm("C");
    TskSkinData data(nullptr);
    Expect(&data);
    first->OnSkinMessage = [&](unsigned msg) {
        if (msg != WM_BEFORECHANGESKINDATA)
            return;
        if (Alive(doomed))
            doomed->Free();
        // A form opened during the announcement was not there when it began.
        TRecordingForm* late = NewForm("D");
        late->Expected = &data;
    };
    auto stored = StoredSkin();
    data.LoadCompressedStoredSkin(stored.get());
    const std::vector<std::string> expected = {"A:1225", "C:1225", "A:1226", "C:1226", "D:1226",
                                               "A:1227", "C:1227", "D:1227"};
    EXPECT_EQ(Order(), expected);
}

TEST_F(SkinMessages, ALoadStartedByAReceiverIsRefusedNotNested)
{
    TRecordingForm* form = NewForm("A");
    TskSkinData data(nullptr);
    Expect(&data);
    auto first = StoredSkin();
    auto second = StoredSkin(3, Lines({"[VERSION]", "skinname=Second"}));
    form->OnSkinMessage = [&](unsigned msg) {
        if (msg == WM_CHANGESKINDATA)
            data.SetCompressedStoredSkin(second.get());
    };
    data.SetCompressedStoredSkin(first.get());
    // The receiver's attempt ended in its own window procedure, reported, not nested.
    const std::vector<std::string> expected = {"A:1225", "A:1226", "A:1227"};
    EXPECT_EQ(Order(), expected);
    ASSERT_EQ(caught.size(), 1u);
    EXPECT_EQ(data.SkinName, "Broadcast");
    EXPECT_EQ(data.CompressedStoredSkin(), first.get());
    EXPECT_FALSE(data.Empty);
    // Once the announcement is over, loading works again.
    form->OnSkinMessage = nullptr;
    data.SetCompressedStoredSkin(second.get());
    EXPECT_EQ(data.SkinName, "Second");
}

}  // namespace

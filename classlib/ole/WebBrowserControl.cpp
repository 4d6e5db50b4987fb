// The web browser control's adapter.
#include "classlib/ole/WebBrowserControl.h"

#include <exdisp.h>
#include <exdispid.h>

#include "classlib/system/CoreConsts.h"
#include "classlib/ole/Container.h"

namespace cl {

namespace {
// The control's window in the parent: it tells the adapter before its window goes, so the
// control is closed while its window still exists, whoever frees the host; and when a new
// window comes, so the control can start again in it.
class TOleHost : public TWinControl {
public:
    using TWinControl::TWinControl;
    // Freed: the host object goes too, not only its window.
    std::function<void(bool Freed)> OnDestroying;
    std::function<void()> OnCreated;

protected:
    void CreateWnd() override
    {
        TWinControl::CreateWnd();
        if (OnCreated)
            OnCreated();
    }
    void BeforeDestruction() override
    {
        if (OnDestroying)
            OnDestroying(true);
        OnDestroying = nullptr;
        TWinControl::BeforeDestruction();
    }
    void Dispatch(TMessage& Message) override
    {
        // The window goes (re-created, or with its parent's): the control would stay behind
        // in a dead window, so it is closed first.
        if (Message.Msg == WM_DESTROY && OnDestroying)
            OnDestroying(false);
        TWinControl::Dispatch(Message);
    }
};

// Argument positions, counted from the last argument.
constexpr UINT BeforeNavigateURL = 5;
constexpr UINT BeforeNavigateCancel = 0;
constexpr UINT NewWindowCancel = 0;
constexpr UINT DocumentCompleteURL = 0;
// NavigateError(pDisp, URL, TargetFrameName, StatusCode, Cancel), last argument first.
constexpr UINT NavigateErrorURL = 3;
}  // namespace

struct TWebBrowserControl::TImpl {
    TOleHost* host = nullptr;
    std::unique_ptr<TOleContainer> container;
    TComPtr<IWebBrowser2> browser;
    TComPtr<TEventSink> sink;
    // The last address asked for: a control started again in a new window goes back to it.
    AnsiString url;

    void Open(TWebBrowserControl* Owner)
    {
        try {
            container = std::make_unique<TOleContainer>(host->Handle(), CLSID_WebBrowser);
            browser = container->Query<IWebBrowser2>(IID_IWebBrowser2);
            if (!browser)
                OleError(E_NOINTERFACE);
            container->SetBounds(host->ClientRect());
            sink = TEventSink::Connect(browser.Get(), DIID_DWebBrowserEvents2,
                                       [Owner](DISPID id, DISPPARAMS* params) { Owner->ControlEvent(id, params); });
        } catch (...) {
            Close();
            throw;
        }
    }

    void Close()
    {
        if (sink) {
            sink->Disconnect();
            sink.Reset();
        }
        browser.Reset();
        container.reset();
    }
};

TWebBrowserControl::TWebBrowserControl(TWinControl* Parent) : impl_(std::make_unique<TImpl>())
{
    auto* host = new TOleHost(nullptr);
    impl_->host = host;
    host->OnDestroying = [impl = impl_.get()](bool Freed) {
        impl->Close();
        if (Freed)
            impl->host = nullptr;
    };
    host->OnResize = [impl = impl_.get()](TObject*) {
        if (impl->container && impl->host)
            impl->container->SetBounds(impl->host->ClientRect());
    };
    try {
        host->SetAlign(alClient);
        host->SetParent(Parent);
        host->HandleNeeded();
        impl_->Open(this);
    } catch (...) {
        impl_->host->OnDestroying = nullptr;
        impl_->host->Free();
        throw;
    }
    // From now on a new window of the host (the parent's re-created) starts the control again
    // and goes back to the page; where that fails the browser stays closed.
    host->OnCreated = [this, impl = impl_.get()] {
        try {
            impl->Open(this);
            if (!impl->url.empty())
                Navigate(impl->url);
        } catch (const Exception&) {
            // The browser stays closed or pageless; the next Navigate tells the caller.
        }
    };
}

TWebBrowserControl::~TWebBrowserControl()
{
    impl_->Close();
    if (impl_->host) {
        impl_->host->OnDestroying = nullptr;
        impl_->host->OnCreated = nullptr;
        impl_->host->Free();
    }
}

TWinControl* TWebBrowserControl::Host() const { return impl_->host; }

void TWebBrowserControl::ControlEvent(DISPID DispID, DISPPARAMS* Params)
{
    switch (DispID) {
    case DISPID_BEFORENAVIGATE2:
        if (!DoBeforeNavigate2(EventArgText(Params, BeforeNavigateURL)))
            SetEventArgBool(Params, BeforeNavigateCancel, true);
        break;
    case DISPID_NEWWINDOW2:
        if (!DoNewWindow2())
            SetEventArgBool(Params, NewWindowCancel, true);
        break;
    case DISPID_DOCUMENTCOMPLETE: DoDocumentComplete(EventArgText(Params, DocumentCompleteURL)); break;
    case DISPID_NAVIGATEERROR: DoNavigateError(EventArgText(Params, NavigateErrorURL)); break;
    }
}

void TWebBrowserControl::Navigate(const AnsiString& URL)
{
    if (!impl_->browser)
        throw EOleException(consts::SBrowserClosed);
    impl_->url = URL;
    TBStr url = TBStr::FromString(URL);
    VARIANT empty;
    VariantInit(&empty);
    OleCheck(impl_->browser->Navigate(url.Get(), &empty, &empty, &empty, &empty));
}

bool TWebBrowserControl::Visible() const { return impl_->host && impl_->host->Visible(); }

void TWebBrowserControl::SetVisible(bool Value)
{
    if (impl_->host)
        impl_->host->SetVisible(Value);
}

}  // namespace cl

// The site of a hosted control and the event sink. Every entry here is called by the control
// through COM: nothing may throw out of it.
#include "classlib/ole/Container.h"

#include <olectl.h>

#include "classlib/controls/Controls.h"

namespace cl {

// One object answers for all the interfaces a control asks of its container.
class TOleSite : public IOleClientSite, public IOleInPlaceSiteEx, public IOleInPlaceFrame, public IDispatch {
public:
    explicit TOleSite(HWND Host) : host_(Host) {}
    void SetObject(IOleObject* Object) { object_ = Object; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite) ||
                 IsEqualIID(riid, IID_IOleInPlaceSiteEx))
            *ppv = static_cast<IOleInPlaceSiteEx*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
            *ppv = static_cast<IOleInPlaceFrame*>(this);
        else if (IsEqualIID(riid, IID_IDispatch))
            *ppv = static_cast<IDispatch*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override
    {
        if (ppmk)
            *ppmk = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override
    {
        if (ppContainer)
            *ppContainer = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (of both the in-place site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override
    {
        if (!phwnd)
            return E_POINTER;
        *phwnd = host_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) override
    {
        if (ppFrame) {
            *ppFrame = this;
            AddRef();
        }
        if (ppDoc)
            *ppDoc = nullptr;
        RECT client{};
        GetClientRect(host_, &client);
        if (lprcPosRect)
            *lprcPosRect = client;
        if (lprcClipRect)
            *lprcClipRect = client;
        if (lpFrameInfo) {
            lpFrameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
            lpFrameInfo->fMDIApp = FALSE;
            lpFrameInfo->hwndFrame = GetAncestor(host_, GA_ROOT);
            lpFrameInfo->haccel = nullptr;
            lpFrameInfo->cAccelEntries = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    // IOleInPlaceSiteEx: some controls (the media player under Wine) insist on it.
    HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* pfNoRedraw, DWORD) override
    {
        if (pfNoRedraw)
            *pfNoRedraw = FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestUIActivate() override { return S_OK; }

    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override
    {
        if (!lprcPosRect || !object_)
            return E_INVALIDARG;
        TComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid())) && inPlace)
            inPlace->SetObjectRects(lprcPosRect, lprcPosRect);
        return S_OK;
    }

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame: no menus, no status line, no accelerators of ours.
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the ambient properties. The control runs in user mode; the rest it asks
    // for keeps its own defaults.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo)
            *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pVarResult,
                                     EXCEPINFO*, UINT*) override
    {
        if (dispIdMember == DISPID_AMBIENT_USERMODE && pVarResult) {
            VariantInit(pVarResult);
            pVarResult->vt = VT_BOOL;
            pVarResult->boolVal = VARIANT_TRUE;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    virtual ~TOleSite() = default;
    LONG refs_ = 1;
    HWND host_;
    IOleObject* object_ = nullptr;  // not owned: the container holds the control
};

// ---------------------------------------------------------------------------------------------
// TOleContainer

TOleContainer::TOleContainer(HWND Host, REFCLSID ClassID) : host_(Host)
{
    object_ = CreateComObject<IOleObject>(ClassID, IID_IOleObject);
    site_ = new TOleSite(Host);
    site_->SetObject(object_.Get());
    try {
        OleCheck(object_->SetClientSite(site_));
        if (auto persist = object_.Query<IPersistStreamInit>(IID_IPersistStreamInit))
            persist->InitNew();
        object_->SetHostNames(L"Trebanix", nullptr);
        RECT client{};
        GetClientRect(Host, &client);
        OleCheck(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, Host, &client));
    } catch (...) {
        Close();
        throw;
    }
}

TOleContainer::~TOleContainer() { Close(); }

void TOleContainer::Close()
{
    if (object_) {
        if (auto inPlace = object_.Query<IOleInPlaceObject>(IID_IOleInPlaceObject))
            inPlace->InPlaceDeactivate();
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.Reset();
    }
    if (site_) {
        site_->SetObject(nullptr);
        site_->Release();
        site_ = nullptr;
    }
}

void TOleContainer::SetBounds(const TRect& Rect)
{
    if (!object_)
        return;
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    if (auto inPlace = object_.Query<IOleInPlaceObject>(IID_IOleInPlaceObject))
        inPlace->SetObjectRects(&r, &r);
}

// ---------------------------------------------------------------------------------------------
// TEventSink

TComPtr<TEventSink> TEventSink::Connect(IUnknown* Source, REFIID EventsIID, THandler Handler)
{
    auto sink = TComPtr<TEventSink>::Attach(new TEventSink(EventsIID, std::move(Handler)));
    TComPtr<IConnectionPointContainer> container;
    OleCheck(Source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid()));
    OleCheck(container->FindConnectionPoint(EventsIID, sink->point_.Put()));
    const HRESULT hr = sink->point_->Advise(static_cast<IDispatch*>(sink.Get()), &sink->cookie_);
    if (FAILED(hr)) {
        sink->point_.Reset();
        OleError(hr);
    }
    return sink;
}

void TEventSink::Disconnect()
{
    handler_ = nullptr;
    if (point_) {
        point_->Unadvise(cookie_);
        point_.Reset();
    }
}

HRESULT STDMETHODCALLTYPE TEventSink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, eventsIID_)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TEventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG STDMETHODCALLTYPE TEventSink::Release()
{
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT STDMETHODCALLTYPE TEventSink::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo)
        *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE TEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                             VARIANT*, EXCEPINFO*, UINT*)
{
    if (!handler_)
        return S_OK;
    // The handler may disconnect (and so release) this sink.
    AddRef();
    try {
        const THandler handler = handler_;
        handler(dispIdMember, pDispParams);
    } catch (...) {
        HandleEntryException(nullptr);
    }
    Release();
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// Event arguments

const VARIANT* EventArg(const DISPPARAMS* Params, UINT IndexFromLast)
{
    if (!Params || IndexFromLast >= Params->cArgs || !Params->rgvarg)
        return nullptr;
    const VARIANT* v = &Params->rgvarg[IndexFromLast];
    if (v->vt == (VT_VARIANT | VT_BYREF))
        return v->pvarVal;
    return v;
}

AnsiString EventArgText(const DISPPARAMS* Params, UINT IndexFromLast)
{
    const VARIANT* v = EventArg(Params, IndexFromLast);
    if (!v)
        return {};
    if (v->vt == VT_BSTR && v->bstrVal)
        return WideToString(std::wstring(v->bstrVal, SysStringLen(v->bstrVal)));
    if (v->vt == (VT_BSTR | VT_BYREF) && v->pbstrVal && *v->pbstrVal)
        return WideToString(std::wstring(*v->pbstrVal, SysStringLen(*v->pbstrVal)));
    return {};
}

void SetEventArgBool(DISPPARAMS* Params, UINT IndexFromLast, bool Value)
{
    if (!Params || IndexFromLast >= Params->cArgs || !Params->rgvarg)
        return;
    VARIANT* v = &Params->rgvarg[IndexFromLast];
    if (v->vt == (VT_BOOL | VT_BYREF) && v->pboolVal)
        *v->pboolVal = Value ? VARIANT_TRUE : VARIANT_FALSE;
    else if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal && v->pvarVal->vt == VT_BOOL)
        v->pvarVal->boolVal = Value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace cl

#pragma once
// Hosting an ActiveX control in a window of ours, without ATL: the site the control talks to
// (client site, in-place site and frame, ambient properties) and a sink for its events.
//
// Life of a hosted control: created, given the site, initialised, in-place activated in the
// host window; at the end deactivated, closed, cut from the site and released.
#include <ocidl.h>

#include <functional>

#include "classlib/ole/ComObj.h"
#include "classlib/system/Types.h"

namespace cl {

class TOleSite;

class TOleContainer {
public:
    // Raises EOleException when the control is not there or refuses to start.
    TOleContainer(HWND Host, REFCLSID ClassID);
    ~TOleContainer();
    TOleContainer(const TOleContainer&) = delete;
    TOleContainer& operator=(const TOleContainer&) = delete;

    HWND Host() const { return host_; }
    IOleObject* Object() const { return object_.Get(); }
    // Another interface of the control; empty when it has none.
    template <class T>
    TComPtr<T> Query(REFIID Iid) const
    {
        return object_.Query<T>(Iid);
    }
    // Places the control in the host window's client coordinates.
    void SetBounds(const TRect& Rect);

private:
    void Close();
    HWND host_;
    TComPtr<IOleObject> object_;
    TOleSite* site_ = nullptr;
};

// Receives a control's events (an IDispatch connected to one of its connection points) and
// hands each to Handler. An exception of the handler goes to the application.
class TEventSink : public IDispatch {
public:
    using THandler = std::function<void(DISPID DispID, DISPPARAMS* Params)>;

    // Connects to Source's connection point for EventsIID; raises EOleException when the
    // source has none.
    static TComPtr<TEventSink> Connect(IUnknown* Source, REFIID EventsIID, THandler Handler);
    // Leaves the connection point; the handler is never called again.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                     VARIANT*, EXCEPINFO*, UINT*) override;

private:
    TEventSink(REFIID EventsIID, THandler Handler) : eventsIID_(EventsIID), handler_(std::move(Handler)) {}
    virtual ~TEventSink() = default;
    LONG refs_ = 1;
    IID eventsIID_;
    THandler handler_;
    TComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// Reading event arguments: they come last-first; by-reference values are followed.
const VARIANT* EventArg(const DISPPARAMS* Params, UINT IndexFromLast);
// The argument as text ("" when it holds none).
AnsiString EventArgText(const DISPPARAMS* Params, UINT IndexFromLast);
// Sets a by-reference Boolean argument (a cancel flag); does nothing when it is none.
void SetEventArgBool(DISPPARAMS* Params, UINT IndexFromLast, bool Value);

}  // namespace cl

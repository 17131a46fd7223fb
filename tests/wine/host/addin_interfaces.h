#pragma once

// The two interfaces Outlook calls an add-in object by, described here from their public
// definitions so that the host checks the DLL's vtables rather than sharing its header.
#include <windows.h>
#include <oaidl.h>

namespace host {

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
constexpr IID IID_AddinExtensibility = {0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
// Office's IRibbonExtensibility, IRibbonControl and IRibbonUI.
constexpr IID IID_RibbonExtensibility = {0x000C0396, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_RibbonControl = {0x000C0395, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_RibbonUI = {0x000C03A7, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};


struct AddinExtensibility;
struct AddinExtensibilityVtbl {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(AddinExtensibility*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(AddinExtensibility*);
    ULONG(STDMETHODCALLTYPE* Release)(AddinExtensibility*);
    HRESULT(STDMETHODCALLTYPE* GetTypeInfoCount)(AddinExtensibility*, UINT*);
    HRESULT(STDMETHODCALLTYPE* GetTypeInfo)(AddinExtensibility*, UINT, LCID, ITypeInfo**);
    HRESULT(STDMETHODCALLTYPE* GetIDsOfNames)(AddinExtensibility*, REFIID, LPOLESTR*, UINT, LCID, DISPID*);
    HRESULT(STDMETHODCALLTYPE* Invoke)(AddinExtensibility*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                       EXCEPINFO*, UINT*);
    HRESULT(STDMETHODCALLTYPE* OnConnection)(AddinExtensibility*, IDispatch* application, int connectMode,
                                             IDispatch* addinInstance, SAFEARRAY** custom);
    HRESULT(STDMETHODCALLTYPE* OnDisconnection)(AddinExtensibility*, int removeMode, SAFEARRAY** custom);
    HRESULT(STDMETHODCALLTYPE* OnAddInsUpdate)(AddinExtensibility*, SAFEARRAY** custom);
    HRESULT(STDMETHODCALLTYPE* OnStartupComplete)(AddinExtensibility*, SAFEARRAY** custom);
    HRESULT(STDMETHODCALLTYPE* OnBeginShutdown)(AddinExtensibility*, SAFEARRAY** custom);
};
struct AddinExtensibility {
    const AddinExtensibilityVtbl* lpVtbl;
};

struct RibbonExtensibility;
struct RibbonExtensibilityVtbl {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(RibbonExtensibility*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(RibbonExtensibility*);
    ULONG(STDMETHODCALLTYPE* Release)(RibbonExtensibility*);
    HRESULT(STDMETHODCALLTYPE* GetTypeInfoCount)(RibbonExtensibility*, UINT*);
    HRESULT(STDMETHODCALLTYPE* GetTypeInfo)(RibbonExtensibility*, UINT, LCID, ITypeInfo**);
    HRESULT(STDMETHODCALLTYPE* GetIDsOfNames)(RibbonExtensibility*, REFIID, LPOLESTR*, UINT, LCID, DISPID*);
    HRESULT(STDMETHODCALLTYPE* Invoke)(RibbonExtensibility*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                       EXCEPINFO*, UINT*);
    HRESULT(STDMETHODCALLTYPE* GetCustomUI)(RibbonExtensibility*, BSTR ribbonId, BSTR* ribbonXml);
};
struct RibbonExtensibility {
    const RibbonExtensibilityVtbl* lpVtbl;
};

}  // namespace host

// Quorvel.dll as Outlook and Office meet it. Usage: connect_check <path of Quorvel.dll>
// Office's ribbon type library (or its stand-in) must be registered for the callbacks' Invoke.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "check.h"
#include "fake_objects.h"
#include "type_library_check.h"
#include "win32/connect_object.h"

namespace {

using checks::expect;

using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(WINAPI*)();

std::wstring customUI(IRibbonExtensibility* ribbon, const wchar_t* ribbonId) {
    BSTR id = ribbonId ? SysAllocString(ribbonId) : nullptr;
    BSTR xml = nullptr;
    const HRESULT hr = ribbon->lpVtbl->GetCustomUI(ribbon, id, &xml);
    SysFreeString(id);
    expect(SUCCEEDED(hr) && xml != nullptr, "GetCustomUI answers a string, never null");
    std::wstring text(xml ? xml : L"", SysStringLen(xml));
    SysFreeString(xml);
    return text;
}

void checkRibbon(IUnknown* addin) {
    IRibbonExtensibility* ribbon = nullptr;
    expect(SUCCEEDED(IUnknown_QueryInterface(addin, IID_IRibbonExtensibility, reinterpret_cast<void**>(&ribbon))),
           "the add-in offers IRibbonExtensibility");
    if (!ribbon) return;
    const std::wstring xml = customUI(ribbon, L"Microsoft.Outlook.Appointment");
    expect(xml.rfind(L"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\"", 0) == 0 &&
               xml.find(L"onAction=\"OnOrderButton\"") != std::wstring::npos,
           "appointment windows get the ribbon XML of string 101");
    expect(customUI(ribbon, L"Microsoft.Outlook.Appointment") == xml, "a second request gets the same text");
    expect(customUI(ribbon, L"microsoft.outlook.appointment").empty(), "the window kind is compared case-sensitively");
    expect(customUI(ribbon, L"Microsoft.Outlook.Mail.Read").empty(), "other windows get no customisation");
    expect(customUI(ribbon, nullptr).empty(), "a null window kind gets no customisation");

    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(L"getCustomUI");
    expect(IRibbonExtensibility_GetIDsOfNames(ribbon, IID_NULL, &name, 1, 0, &dispid) == S_OK,
           "GetCustomUI is also reachable by name");
    VARIANT argument;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = SysAllocString(L"Microsoft.Outlook.Appointment");
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr =
        IRibbonExtensibility_Invoke(ribbon, dispid, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    expect(hr == S_OK && V_VT(&result) == VT_BSTR && std::wstring(V_BSTR(&result)) == xml,
           "late-bound GetCustomUI answers the same XML");
    VariantClear(&result);
    VariantClear(&argument);
    IRibbonExtensibility_Release(ribbon);
}

HRESULT invokeCallback(IDispatch* dispatch, const wchar_t* member, IDispatch* argument, EXCEPINFO& exception) {
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    if (IDispatch_GetIDsOfNames(dispatch, IID_NULL, &name, 1, 0, &dispid) != S_OK) return DISP_E_UNKNOWNNAME;
    VARIANT value;
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = argument;
    DISPPARAMS params{&value, nullptr, argument ? 1u : 0u, 0};
    exception = EXCEPINFO{};
    return IDispatch_Invoke(dispatch, dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &exception, nullptr);
}

void checkCallbacks(IUnknown* addin) {
    IDispatch* dispatch = nullptr;
    IUnknown_QueryInterface(addin, IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    expect(dispatch != nullptr, "the add-in offers IDispatch");
    if (!dispatch) return;
    UINT count = 0;
    expect(IDispatch_GetTypeInfoCount(dispatch, &count) == S_OK && count == 1, "type information from the DLL");
    LPOLESTR unknown = const_cast<LPOLESTR>(L"OnSomethingElse");
    DISPID dispid = 0;
    expect(IDispatch_GetIDsOfNames(dispatch, IID_NULL, &unknown, 1, 0, &dispid) == DISP_E_UNKNOWNNAME,
           "names that are no callback are unknown");

    checks::FakeObject ribbonUI = checks::fakeObject(IID_IRibbonUI);
    EXCEPINFO exception;
    expect(invokeCallback(dispatch, L"OnLoad", &ribbonUI.dispatch, exception) == S_OK, "OnLoad succeeds");
    expect(ribbonUI.references == 1, "OnLoad keeps no reference to the ribbon");
    expect(invokeCallback(dispatch, L"onload", nullptr, exception) == DISP_E_BADPARAMCOUNT,
           "a callback without its argument is refused");

    checks::FakeObject control = checks::fakeObject(IID_IRibbonControl);
    const HRESULT invite = invokeCallback(dispatch, L"OnInviteButton", &control.dispatch, exception);
    expect(invite == DISP_E_EXCEPTION && exception.bstrDescription && *exception.bstrDescription,
           "OnInviteButton without an active appointment returns the failure with its description");
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);

    expect(invokeCallback(dispatch, L"OnOrderButton", &control.dispatch, exception) == S_OK, "OnOrderButton succeeds");
    HWND order = FindWindowW(L"QuorvelForm", L"Order Items");
    expect(order && IsWindowVisible(order), "the Order Items dialog is shown");
    RECT client{};
    GetClientRect(order, &client);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    expect(client.right == MulDiv(4560, dpi, 1440), "its client width is 4560 twips");
    SendMessageW(FindWindowExW(order, nullptr, L"BUTTON", L"OK"), BM_CLICK, 0, 0);
    expect(IsWindow(order) && !IsWindowVisible(order), "OK hides it");
    invokeCallback(dispatch, L"OnOrderButton", &control.dispatch, exception);
    expect(FindWindowW(L"QuorvelForm", L"Order Items") == order && IsWindowVisible(order),
           "pressing the button again shows the same dialog");
    SendMessageW(order, WM_CLOSE, 0, 0);
    expect(IsWindow(order), "the title bar's close leaves the window to the form");
    expect(control.references == 1, "no reference to the ribbon control is kept");
    IDispatch_Release(dispatch);
}

void checkConnection(IUnknown* addin) {
    IDTExtensibility2* extensibility = nullptr;
    IUnknown_QueryInterface(addin, IID_IDTExtensibility2, reinterpret_cast<void**>(&extensibility));
    expect(extensibility != nullptr, "the add-in offers IDTExtensibility2");
    if (!extensibility) return;
    checks::FakeObject notOutlook = checks::fakeObject();
    expect(IDTExtensibility2_OnConnection(extensibility, &notOutlook.dispatch, ext_cm_Startup, nullptr, nullptr) ==
               E_NOINTERFACE,
           "an application that is not Outlook fails the connection with QueryInterface's result");
    expect(notOutlook.references == 1, "and is not kept");
    expect(IDTExtensibility2_OnConnection(extensibility, nullptr, ext_cm_Startup, nullptr, nullptr) == E_POINTER,
           "a null application fails the connection");
    expect(IDTExtensibility2_OnBeginShutdown(extensibility, nullptr) == S_OK, "shut-down without a session is quiet");

    const HRESULT startup = IDTExtensibility2_OnStartupComplete(extensibility, nullptr);
    IErrorInfo* info = nullptr;
    BSTR description = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        IErrorInfo_GetDescription(info, &description);
        IErrorInfo_Release(info);
    }
    expect(FAILED(startup) && description && *description,
           "a portable failure comes back as an HRESULT with error information");
    SysFreeString(description);

    ISupportErrorInfo* support = nullptr;
    IUnknown_QueryInterface(addin, IID_ISupportErrorInfo, reinterpret_cast<void**>(&support));
    expect(support && ISupportErrorInfo_InterfaceSupportsErrorInfo(support, IID_IDTExtensibility2) == S_OK,
           "the connection interface says it describes its failures");
    if (support) ISupportErrorInfo_Release(support);
    IDTExtensibility2_Release(extensibility);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    CoInitialize(nullptr);
    HMODULE dll = LoadLibraryW(argv[1]);
    expect(dll != nullptr, "the DLL loads");
    if (!dll) return checks::summary();
    auto getClassObject = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
    auto canUnloadNow =
        reinterpret_cast<CanUnloadNowFunction>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));

    void* nothing = nullptr;
    expect(getClassObject(IID_IDispatch, IID_IClassFactory, &nothing) == CLASS_E_CLASSNOTAVAILABLE,
           "only Connect's class object is offered");
    IClassFactory* factory = nullptr;
    getClassObject(CLSID_Connect, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    expect(factory != nullptr, "Connect's class factory");
    if (!factory) return checks::summary();
    checks::FakeObject outer = checks::fakeObject();
    expect(IClassFactory_CreateInstance(factory, reinterpret_cast<IUnknown*>(&outer.dispatch), IID_IUnknown,
                                        &nothing) == CLASS_E_NOAGGREGATION,
           "aggregation is refused");
    IUnknown* addin = nullptr;
    IClassFactory_CreateInstance(factory, nullptr, IID_IUnknown, reinterpret_cast<void**>(&addin));
    IClassFactory_Release(factory);
    expect(addin != nullptr, "a Connect object is created");
    if (!addin) return checks::summary();
    expect(canUnloadNow() == S_FALSE, "a live object keeps the DLL loaded");

    checkTypeLibrary(argv[1]);
    checkRibbon(addin);
    checkCallbacks(addin);
    checkConnection(addin);

    expect(IUnknown_Release(addin) == 0, "the last release destroys the object");
    expect(canUnloadNow() == S_FALSE, "a dialog still open keeps the DLL loaded");
    CoUninitialize();
    return checks::summary();
}

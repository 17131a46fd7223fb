#include "com_addin.h"

#include <windows.h>
#include <objbase.h>

#include <stdexcept>
#include <string>

#include "addin_interfaces.h"
#include "automation/error.h"
#include "office_stand_ins.h"
#include "sim_com_object.h"
#include "win32/com_error.h"
#include "win32/error_codes.h"
#include "win32/variant_convert.h"
#include "win32/wide.h"

namespace host {
namespace {

constexpr const wchar_t* AddinProgId = L"Quorvel.Connect";

// The error of a failed vtable call: the callee's error object if it set one.
automation::Error callError(HRESULT hr) {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR description = nullptr;
        IErrorInfo_GetDescription(info, &description);
        IErrorInfo_Release(info);
        std::string text = description ? win32::fromBstr(description) : std::string();
        SysFreeString(description);
        if (!text.empty()) return automation::Error(win32::errorNumberFromHresult(hr), text);
    }
    return win32::comError(hr);
}

void check(HRESULT hr) {
    if (FAILED(hr)) throw callError(hr);
}

// Office passes an empty array as each notification's custom argument.
class CustomArgument {
public:
    CustomArgument() : array_(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
    ~CustomArgument() { SafeArrayDestroy(array_); }
    CustomArgument(const CustomArgument&) = delete;
    CustomArgument& operator=(const CustomArgument&) = delete;
    SAFEARRAY** get() { return &array_; }

private:
    SAFEARRAY* array_;
};

class ComAddin final : public AddinHost {
public:
    ComAddin() {
        CLSID clsid;
        check(CLSIDFromProgID(AddinProgId, &clsid));
        IUnknown* unknown = nullptr;
        check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&unknown)));
        HRESULT hr = IUnknown_QueryInterface(unknown, IID_AddinExtensibility, reinterpret_cast<void**>(&extensibility_));
        if (SUCCEEDED(hr)) hr = IUnknown_QueryInterface(unknown, IID_IDispatch, reinterpret_cast<void**>(&dispatch_));
        // Office before 2007 has no ribbon; an add-in may lack it too.
        if (FAILED(IUnknown_QueryInterface(unknown, IID_RibbonExtensibility, reinterpret_cast<void**>(&ribbon_))))
            ribbon_ = nullptr;
        IUnknown_Release(unknown);
        if (FAILED(hr)) {
            releaseAll();
            throw callError(hr);
        }
    }
    ~ComAddin() override { releaseAll(); }

    void OnConnection(const automation::Object& application, Connect::ConnectMode mode) override {
        IDispatch* outlook = comObjectOf(application);
        IDispatch* instance = newComAddinObject();
        CustomArgument custom;
        const HRESULT hr = extensibility_->lpVtbl->OnConnection(
            extensibility_, outlook, static_cast<int>(mode), instance, custom.get());
        IDispatch_Release(instance);
        if (outlook) IDispatch_Release(outlook);
        check(hr);
    }

    void OnStartupComplete() override {
        CustomArgument custom;
        check(extensibility_->lpVtbl->OnStartupComplete(extensibility_, custom.get()));
    }

    void OnBeginShutdown() override {
        CustomArgument custom;
        check(extensibility_->lpVtbl->OnBeginShutdown(extensibility_, custom.get()));
    }

    void OnDisconnection(DisconnectMode mode) override {
        CustomArgument custom;
        check(extensibility_->lpVtbl->OnDisconnection(extensibility_, static_cast<int>(mode), custom.get()));
    }

    std::string GetCustomUI(const std::string& ribbonId) override {
        if (!ribbon_) return {};
        BSTR id = win32::toBstr(ribbonId);
        BSTR xml = nullptr;
        const HRESULT hr = ribbon_->lpVtbl->GetCustomUI(ribbon_, id, &xml);
        SysFreeString(id);
        std::string text = xml ? win32::fromBstr(xml) : std::string();
        SysFreeString(xml);
        check(hr);
        return text;
    }

    // As Office calls a callback named in the ribbon XML: its DISPID by name, then Invoke.
    void RibbonCallback(const std::string& name) override {
        const bool onLoad = name == "OnLoad";
        if (!onLoad && name.rfind("On", 0) != 0) throw std::invalid_argument("no ribbon callback " + name);
        std::wstring wideName = win32::wide(name);
        LPOLESTR names[] = {wideName.data()};
        DISPID dispid = DISPID_UNKNOWN;
        check(IDispatch_GetIDsOfNames(dispatch_, IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid));
        VARIANT argument;
        VariantInit(&argument);
        V_VT(&argument) = VT_DISPATCH;
        V_DISPATCH(&argument) = onLoad ? newRibbonUI() : newRibbonControl(name.substr(2));
        DISPPARAMS params{&argument, nullptr, 1, 0};
        EXCEPINFO exception{};
        const HRESULT hr = IDispatch_Invoke(dispatch_, dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                            nullptr, &exception, nullptr);
        VariantClear(&argument);
        if (FAILED(hr)) throw win32::comError(hr, &exception);
    }

private:
    void releaseAll() {
        if (ribbon_) ribbon_->lpVtbl->Release(ribbon_);
        if (dispatch_) IDispatch_Release(dispatch_);
        if (extensibility_) extensibility_->lpVtbl->Release(extensibility_);
        ribbon_ = nullptr;
        dispatch_ = nullptr;
        extensibility_ = nullptr;
    }

    AddinExtensibility* extensibility_ = nullptr;
    IDispatch* dispatch_ = nullptr;
    RibbonExtensibility* ribbon_ = nullptr;
};

}  // namespace

std::unique_ptr<AddinHost> MakeComAddin() { return std::make_unique<ComAddin>(); }

}  // namespace host

// No C++ exception crosses into Windows or COM: with every allocation failing, a window or hook
// procedure gives the message its default processing, a COM member answers its failure, and the
// program goes on. Links the add-in's Windows layer itself, so that its allocations are ours to fail.
#include <windows.h>
#include <objbase.h>
#include <oleacc.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "check.h"
#include "quorvel.h"
#include "ui/widgets.h"
#include "win32/class_factory.h"
#include "win32/connect_object.h"
#include "win32/form_windows.h"
#include "win32/host_services.h"
#include "win32/module.h"
#include "win32/win32_list_box.h"
#include "win32/win32_toolkit.h"

namespace {

bool allocationsFail = false;

}  // namespace

void* operator new(std::size_t size) {
    if (allocationsFail) throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

using checks::expect;

// What an entry point answered with every allocation failing, and whether an exception left it.
struct Outcome {
    LONG_PTR answer = 0;
    bool escaped = false;
};

template <typename Call>
Outcome withAllocationsFailing(Call call) {
    Outcome outcome;
    allocationsFail = true;
    try {
        outcome.answer = static_cast<LONG_PTR>(call());
    } catch (...) {
        outcome.escaped = true;
    }
    allocationsFail = false;
    return outcome;
}

void checkWindowEntryPoints() {
    win32::Win32Toolkit toolkit;
    std::unique_ptr<ui::Window> window = toolkit.createWindow({"BoundaryCheck", "Boundary check", 3000, 2000});
    // Longer than a string keeps without allocating.
    window->addLabel({"PeopleLabel", {120, 0, 2000, 120}}, "People of the directory");
    ui::ListBox& list = window->addListBox({"PeopleList", {120, 120, 2000, 1200}}, true);
    list.addItem("Anna Berg");
    window->show();
    HWND form = FindWindowW(win32::FormWindowClass, L"Boundary check");
    HWND listWindow = FindWindowExW(form, nullptr, L"LISTBOX", nullptr);
    expect(listWindow != nullptr, "the form and its list are made");

    Outcome asked = withAllocationsFailing([&] { return SendMessageW(listWindow, WM_GETOBJECT, 0, OBJID_CLIENT); });
    expect(!asked.escaped && asked.answer == 0,
           "a list asked for its IAccessible while memory runs out answers as a list without one");
    Outcome painted = withAllocationsFailing([&] { return SendMessageW(form, WM_SETFOCUS, 0, 0); });
    expect(!painted.escaped, "the form's own window procedure lets nothing out");
    PostMessageW(listWindow, WM_KEYDOWN, VK_TAB, 0);
    MSG message{};
    Outcome hooked = withAllocationsFailing([&] { return PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); });
    expect(!hooked.escaped && hooked.answer && message.message == WM_NULL,
           "the dialog-keys hook still takes the form's Tab");

    // Wine cannot hand an IAccessible over through LresultFromObject: the list's own is asked.
    IAccessible* accessible = dynamic_cast<win32::Win32ListBox&>(list).accessible();
    {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        Outcome named = withAllocationsFailing([&] { return accessible->lpVtbl->get_accName(accessible, self, &name); });
        expect(!named.escaped && named.answer == E_OUTOFMEMORY, "the list's IAccessible name answers E_OUTOFMEMORY");
        SysFreeString(name);
        VARIANT first{};
        first.vt = VT_I4;
        first.lVal = 1;
        Outcome toggled = withAllocationsFailing(
            [&] { return accessible->lpVtbl->accDoDefaultAction(accessible, first); });
        expect(!toggled.escaped && (toggled.answer == S_OK || toggled.answer == E_OUTOFMEMORY),
               "its default action answers an HRESULT");
        accessible->lpVtbl->Release(accessible);
    }
    window.reset();
}

HRESULT idsOf(IDispatch* dispatch, const wchar_t* member) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(member)};
    DISPID id = DISPID_UNKNOWN;
    return dispatch->lpVtbl->GetIDsOfNames(dispatch, IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

void checkComEntryPoints() {
    IClassFactory* factory = nullptr;
    win32::getClassObject(CLSID_Connect, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    expect(factory != nullptr, "the class factory is given");
    if (!factory) return;
    IUnknown* created = nullptr;
    Outcome refused = withAllocationsFailing([&] {
        return factory->lpVtbl->CreateInstance(factory, nullptr, IID_IUnknown, reinterpret_cast<void**>(&created));
    });
    expect(!refused.escaped && refused.answer == E_OUTOFMEMORY && !created,
           "the class factory answers E_OUTOFMEMORY");

    IDispatch* connect = nullptr;
    factory->lpVtbl->CreateInstance(factory, nullptr, IID_IDispatch, reinterpret_cast<void**>(&connect));
    expect(connect != nullptr, "with memory, the add-in object is made");
    if (!connect) return;
    Outcome named = withAllocationsFailing([&] { return idsOf(connect, L"OnLoad"); });
    expect(!named.escaped && named.answer == E_OUTOFMEMORY, "the add-in's GetIDsOfNames answers E_OUTOFMEMORY");
    ITypeInfo* info = nullptr;
    Outcome typed = withAllocationsFailing(
        [&] { return connect->lpVtbl->GetTypeInfo(connect, 0, LOCALE_USER_DEFAULT, &info); });
    expect(!typed.escaped && typed.answer == E_OUTOFMEMORY && !info, "the add-in's GetTypeInfo answers E_OUTOFMEMORY");
    DISPPARAMS none{};
    Outcome invoked = withAllocationsFailing([&] {
        return connect->lpVtbl->Invoke(connect, 1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr,
                                       nullptr, nullptr);
    });
    expect(!invoked.escaped && invoked.answer == E_OUTOFMEMORY, "the add-in's Invoke answers E_OUTOFMEMORY");

    for (const IID* iid : {&IID_IDTExtensibility2, &IID_IRibbonExtensibility}) {
        IDispatch* face = nullptr;
        connect->lpVtbl->QueryInterface(connect, *iid, reinterpret_cast<void**>(&face));
        if (!face) continue;
        Outcome asked = withAllocationsFailing([&] { return idsOf(face, L"GetCustomUI"); });
        expect(!asked.escaped && FAILED(asked.answer), "GetIDsOfNames of each dispatch interface answers an HRESULT");
        face->lpVtbl->Release(face);
    }
    connect->lpVtbl->Release(connect);
    factory->lpVtbl->Release(factory);
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    win32::setModule(GetModuleHandleW(nullptr));
    win32::installHostServices();
    checkWindowEntryPoints();
    checkComEntryPoints();
    expect(!win32::moduleInUse(), "nothing of the add-in is left alive");
    CoUninitialize();
    return checks::summary();
}

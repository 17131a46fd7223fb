// The automation backend over real IDispatch objects: late-bound calls on a scripting object
// Wine ships, and event sinks on a connection-point source.
#include <windows.h>
#include <objbase.h>

#include <memory>

#include "automation/component_factory.h"
#include "automation/error.h"
#include "automation/event_binding.h"
#include "automation/value.h"
#include "check.h"
#include "fake_objects.h"
#include "win32/com_component_factory.h"
#include "win32/com_dispatch.h"
#include "win32/module.h"

namespace {

using automation::Object;
using automation::Value;
using checks::expect;

const IID applicationEvents = {0x0006304E, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr DISPID ItemSend = 0xF002;

template <typename Statement>
automation::Error failureOf(Statement statement) {
    try {
        statement();
    } catch (const automation::Error& error) {
        return error;
    }
    return automation::Error(0, "no failure");
}

void checkLateBoundCalls() {
    expect(failureOf([] { automation::CreateObject("Quorvel.NoSuchComponent"); }).code() == 429,
           "a component that is not registered cannot be created");
    Object dictionary = automation::CreateObject("Scripting.Dictionary");
    dictionary.call("Add", {"K\xC3\xA9y", int32_t(5)});
    dictionary.call("Add", {"two", "zwei"});
    expect(dictionary.get("Count").toInt32() == 2, "methods and property reads");
    expect(dictionary.get("Item", {"K\xC3\xA9y"}).toInt32() == 5, "UTF-8 text crosses as UTF-16 and back");
    expect(dictionary.get("Item", {"two"}).toString() == "zwei", "strings come back");

    Object other = automation::CreateObject("Scripting.Dictionary");
    dictionary.call("Add", {"object", other});
    expect(dictionary.get("Item", {"object"}).toObject() == other, "an object read back is the same object");
    expect(!(dictionary.get("Item", {"object"}).toObject() == dictionary), "and no other");

    const automation::Error unknown = failureOf([&] { dictionary.call("NoSuchMember"); });
    expect(unknown.code() == 438 && unknown.description() == "Object doesn't support this property or method",
           "an unknown member raises 438");
    const automation::Error refused = failureOf([&] { dictionary.put("CompareMode", int32_t(1)); });
    expect(refused.code() == 5 && refused.description() == "Invalid procedure call or argument",
           "a server's Basic error number comes back with its text");
    Object empty = automation::CreateObject("Scripting.Dictionary");
    empty.put("CompareMode", int32_t(1));
    expect(empty.get("CompareMode").toInt32() == 1, "property puts");
    expect(failureOf([&] { dictionary.as(automation::Interface::OutlookApplication); }).code() == 13,
           "a conversion to an interface the object lacks raises Type mismatch");
}

struct Owner : automation::EventOwner {};

HRESULT fireItemSend(checks::EventSource& source, VARIANT* arguments, UINT count, EXCEPINFO* exception = nullptr,
                     UINT* argumentError = nullptr) {
    DISPPARAMS params{arguments, nullptr, count, 0};
    return IDispatch_Invoke(source.sink, ItemSend, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, exception,
                            argumentError);
}

void checkEvents() {
    checks::EventSource application = checks::eventSource(applicationEvents);
    checks::FakeObject item = checks::fakeObject();
    auto owner = std::make_shared<Owner>();
    int sends = 0;
    bool sawItem = false;
    bool fail = false;
    {
        automation::EventBinding binding(*owner, automation::EventSet::Application,
                                         {{"ItemSend", [&](automation::EventArgs& args) {
                                               ++sends;
                                               sawItem = args.size() == 2 && args[0].isObject() && !args[1].toBool();
                                               args[1] = true;
                                               if (fail) throw automation::errors::typeMismatch();
                                           }}});
        binding.set(win32::ComDispatch::wrap(&application.dispatch));
        expect(application.sink != nullptr, "assigning the object connects a sink for the event interface");

        VARIANT_BOOL cancel = VARIANT_FALSE;
        VARIANT arguments[2];
        V_VT(&arguments[0]) = VT_BOOL | VT_BYREF;
        V_BOOLREF(&arguments[0]) = &cancel;
        V_VT(&arguments[1]) = VT_DISPATCH;
        V_DISPATCH(&arguments[1]) = &item.dispatch;
        expect(fireItemSend(application, arguments, 2) == S_OK && sends == 1 && sawItem,
               "the handler gets Item and Cancel in declared order");
        expect(cancel == VARIANT_TRUE, "Cancel set by the handler is written back as VARIANT_TRUE");
        expect(item.references == 1, "the item is released after the event");

        expect(fireItemSend(application, arguments, 1) == DISP_E_BADPARAMCOUNT, "a wrong argument count is refused");
        VARIANT wrong[2] = {arguments[0], arguments[1]};
        V_VT(&wrong[0]) = VT_I4;
        V_I4(&wrong[0]) = 0;
        UINT argumentError = 99;
        expect(fireItemSend(application, wrong, 2, nullptr, &argumentError) == DISP_E_TYPEMISMATCH &&
                   argumentError == 0 && sends == 1,
               "a Cancel that is no by-reference Boolean is refused before the handler runs");

        cancel = VARIANT_FALSE;
        fail = true;
        EXCEPINFO exception{};
        const HRESULT failed = fireItemSend(application, arguments, 2, &exception);
        expect(failed == DISP_E_EXCEPTION && exception.scode == static_cast<HRESULT>(0x800A000D) &&
                   exception.bstrDescription && std::wstring(exception.bstrDescription) == L"Type mismatch",
               "a failing handler reports its error to the source");
        expect(cancel == VARIANT_TRUE, "and its Cancel still counts");
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrSource);

        binding.clear();
        expect(application.unadvised == 1 && application.sink == nullptr, "assigning Nothing disconnects");

        automation::EventBinding explorers(*owner, automation::EventSet::Explorers, {});
        expect(failureOf([&] { explorers.set(win32::ComDispatch::wrap(&application.dispatch)); }).code() != 0 &&
                   !explorers,
               "an object without that event interface fails to connect and stays unassigned");
    }
    expect(application.references == 1, "no reference to the source is left");
    expect(!win32::moduleInUse(), "no sink is left alive");
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    win32::ComComponentFactory components;
    automation::setComponentFactory(&components);
    checkLateBoundCalls();
    checkEvents();
    automation::setComponentFactory(nullptr);
    CoUninitialize();
    return checks::summary();
}

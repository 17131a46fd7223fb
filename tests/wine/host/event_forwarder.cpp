#include "event_forwarder.h"

#include <vector>

#include "host_variant.h"
#include "win32/com_error.h"
#include "win32/event_table.h"

namespace host {

EventForwarder::EventForwarder(IDispatch* sink, automation::EventSet set) : sink_(sink), set_(set) {
    IDispatch_AddRef(sink_);
}

EventForwarder::~EventForwarder() { IDispatch_Release(sink_); }

// Nothing of this object is used after the sink's Invoke: the handler may unadvise it.
void EventForwarder::onEvent(std::string_view event, automation::EventArgs& args) {
    const win32::EventSetInfo& info = win32::eventSetInfo(set_);
    const win32::EventInfo* declared = nullptr;
    for (const win32::EventInfo& candidate : info.events)
        if (candidate.name == event) declared = &candidate;
    // An event of the set the add-in's type library does not handle still reaches it, unnamed.
    if (!declared || declared->arguments.size() != args.size()) return;

    const size_t count = args.size();
    std::vector<VARIANT> variants(count);
    std::vector<VARIANT_BOOL> flags(count, VARIANT_FALSE);
    for (VARIANT& variant : variants) VariantInit(&variant);
    for (size_t position = 0; position < count; ++position) {
        VARIANT& slot = variants[count - 1 - position];
        if (declared->arguments[position] == win32::EventArgument::Cancel) {
            flags[position] = args[position].toBool() ? VARIANT_TRUE : VARIANT_FALSE;
            V_VT(&slot) = VT_BOOL | VT_BYREF;
            V_BOOLREF(&slot) = &flags[position];
        } else {
            toVariant(args[position], slot);
        }
    }
    IDispatch* sink = sink_;
    IDispatch_AddRef(sink);
    DISPPARAMS params{variants.empty() ? nullptr : variants.data(), nullptr, static_cast<UINT>(count), 0};
    EXCEPINFO exception{};
    const HRESULT hr = IDispatch_Invoke(sink, declared->dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        &params, nullptr, &exception, nullptr);
    IDispatch_Release(sink);
    for (size_t position = 0; position < count; ++position) {
        if (declared->arguments[position] == win32::EventArgument::Cancel) {
            args[position] = flags[position] != VARIANT_FALSE;
        } else {
            VariantClear(&variants[count - 1 - position]);
        }
    }
    if (FAILED(hr)) throw win32::comError(hr, &exception);
}

}  // namespace host

#include "win32/com_dispatch.h"

#include <vector>

#include "automation/error.h"
#include "automation/withheld_calls.h"
#include "win32/com_error.h"
#include "win32/dispid_cache.h"
#include "win32/error_codes.h"
#include "win32/outlook_ids.h"
#include "win32/variant_convert.h"
#include "win32/wide.h"

namespace win32 {
namespace {

constexpr int32_t NotSupportedNumber = automation::errors::NotSupported;

// The arguments of one Invoke, last first as DISPPARAMS wants them, cleared when done.
class InvokeArguments {
public:
    explicit InvokeArguments(const std::vector<automation::Value>& args) : variants_(args.size()) {
        for (VARIANT& variant : variants_) VariantInit(&variant);
        try {
            for (size_t declared = 0; declared < args.size(); ++declared)
                toVariant(args[declared], variants_[args.size() - 1 - declared]);
        } catch (...) {
            clear();
            throw;
        }
    }
    ~InvokeArguments() { clear(); }
    InvokeArguments(const InvokeArguments&) = delete;
    InvokeArguments& operator=(const InvokeArguments&) = delete;

    VARIANT* data() { return variants_.empty() ? nullptr : variants_.data(); }
    UINT count() const { return static_cast<UINT>(variants_.size()); }

private:
    void clear() {
        for (VARIANT& variant : variants_) VariantClear(&variant);
    }

    std::vector<VARIANT> variants_;
};

WORD invokeFlags(automation::InvokeKind kind) {
    switch (kind) {
    case automation::InvokeKind::Put: return DISPATCH_PROPERTYPUT;
    case automation::InvokeKind::PutRef: return DISPATCH_PROPERTYPUTREF;
    case automation::InvokeKind::Get:
    case automation::InvokeKind::Call: break;
    }
    return DISPATCH_METHOD | DISPATCH_PROPERTYGET;
}

bool isPut(automation::InvokeKind kind) {
    return kind == automation::InvokeKind::Put || kind == automation::InvokeKind::PutRef;
}

}  // namespace

automation::Object ComDispatch::wrap(IDispatch* dispatch) {
    if (!dispatch) return automation::Object();
    IDispatch_AddRef(dispatch);
    return adopt(dispatch);
}

automation::Object ComDispatch::adopt(IDispatch* dispatch) {
    if (!dispatch) return automation::Object();
    try {
        return automation::Object::adopt(new ComDispatch(dispatch));
    } catch (...) {
        IDispatch_Release(dispatch);
        throw;
    }
}

IDispatch* ComDispatch::unwrap(const automation::Object& object) {
    auto* backend = dynamic_cast<ComDispatch*>(object.dispatch());
    return backend ? backend->dispatch_ : nullptr;
}

ComDispatch::~ComDispatch() {
    // Connections the product forgot would keep Outlook's objects and our sinks alive.
    while (!connections_.empty()) unadvise(connections_.begin()->first);
    IDispatch_Release(dispatch_);
}

void ComDispatch::addRef() { ++references_; }

void ComDispatch::release() {
    if (--references_ == 0) delete this;
}

const GUID* ComDispatch::typeGuid() {
    if (!typeGuidKnown_) {
        typeGuidKnown_ = true;
        ITypeInfo* info = nullptr;
        if (SUCCEEDED(IDispatch_GetTypeInfo(dispatch_, 0, LOCALE_USER_DEFAULT, &info)) && info) {
            TYPEATTR* attributes = nullptr;
            if (SUCCEEDED(ITypeInfo_GetTypeAttr(info, &attributes)) && attributes) {
                typeGuid_ = attributes->guid;
                // A type without an identity of its own cannot vouch for its members' DISPIDs.
                hasTypeGuid_ = !IsEqualGUID(typeGuid_, GUID_NULL) && !IsEqualGUID(typeGuid_, IID_IDispatch);
                ITypeInfo_ReleaseTypeAttr(info, attributes);
            }
            ITypeInfo_Release(info);
        }
    }
    return hasTypeGuid_ ? &typeGuid_ : nullptr;
}

DISPID ComDispatch::dispidOf(std::string_view member) {
    const GUID* type = typeGuid();
    if (type) {
        if (std::optional<DISPID> cached = cachedDispid(*type, member)) return *cached;
    } else if (auto own = ownDispids_.find(member); own != ownDispids_.end()) {
        return own->second;
    }
    std::wstring name = wide(member);
    LPOLESTR names[] = {name.data()};
    DISPID dispid = DISPID_UNKNOWN;
    const HRESULT hr = IDispatch_GetIDsOfNames(dispatch_, IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND)
        throw automation::Error(NotSupportedNumber, basicErrorText(NotSupportedNumber));
    if (FAILED(hr)) throw comError(hr);
    if (type) {
        cacheDispid(*type, member, dispid);
    } else {
        ownDispids_.emplace(std::string(member), dispid);
    }
    return dispid;
}

automation::Value ComDispatch::invoke(std::string_view member, automation::InvokeKind kind,
                                      std::vector<automation::Value>& args) {
    const DISPID dispid = dispidOf(member);
    InvokeArguments arguments(args);
    DISPID putArgument = DISPID_PROPERTYPUT;
    DISPPARAMS params{arguments.data(), nullptr, arguments.count(), 0};
    if (isPut(kind)) {
        params.rgdispidNamedArgs = &putArgument;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT hr = IDispatch_Invoke(dispatch_, dispid, IID_NULL, LOCALE_USER_DEFAULT, invokeFlags(kind), &params,
                                        isPut(kind) ? nullptr : &result, &exception, &argumentError);
    if (FAILED(hr)) throw comError(hr, &exception);
    try {
        automation::Value value = fromVariant(result);
        VariantClear(&result);
        return value;
    } catch (...) {
        VariantClear(&result);
        throw;
    }
}

const void* ComDispatch::identity() {
    if (!identity_) {
        IUnknown* unknown = nullptr;
        if (FAILED(IDispatch_QueryInterface(dispatch_, IID_IUnknown, reinterpret_cast<void**>(&unknown))))
            return dispatch_;
        identity_ = unknown;
        // Held through dispatch_, the object and so its IUnknown pointer live as long as we do.
        IUnknown_Release(unknown);
    }
    return identity_;
}

automation::Dispatch* ComDispatch::queryInterface(automation::Interface iface) {
    IDispatch* converted = nullptr;
    if (FAILED(IDispatch_QueryInterface(dispatch_, interfaceId(iface), reinterpret_cast<void**>(&converted))) ||
        !converted)
        return nullptr;
    // Outlook's interfaces are dual: the pointer QueryInterface gives is an IDispatch.
    try {
        return new ComDispatch(converted);
    } catch (...) {
        IDispatch_Release(converted);
        throw;
    }
}

automation::Cookie ComDispatch::advise(automation::EventSet set, automation::EventSink& sink) {
    IConnectionPointContainer* container = nullptr;
    HRESULT hr = IDispatch_QueryInterface(dispatch_, IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr)) throw comError(hr);
    EventSinkObject* eventSink = createEventSink(set, sink);
    IConnectionPoint* point = nullptr;
    hr = IConnectionPointContainer_FindConnectionPoint(container, eventSink->iid, &point);
    IConnectionPointContainer_Release(container);
    DWORD cookie = 0;
    if (SUCCEEDED(hr)) hr = IConnectionPoint_Advise(point, reinterpret_cast<IUnknown*>(&eventSink->dispatch), &cookie);
    if (FAILED(hr)) {
        if (point) IConnectionPoint_Release(point);
        detachEventSink(eventSink);
        IDispatch_Release(&eventSink->dispatch);
        throw comError(hr);
    }
    try {
        connections_.emplace(cookie, Connection{point, eventSink});
    } catch (...) {
        connections_.erase(cookie);
        disconnect(cookie, Connection{point, eventSink});
        throw;
    }
    return cookie;
}

void ComDispatch::unadvise(automation::Cookie cookie) {
    auto found = connections_.find(cookie);
    if (found == connections_.end()) return;
    const Connection connection = found->second;
    connections_.erase(found);
    disconnect(cookie, connection);
}

void ComDispatch::disconnect(automation::Cookie cookie, const Connection& connection) {
    detachEventSink(connection.sink);
    // A source that is already gone cannot be told, nor one tearing itself down; the sink is
    // released either way, and holds the library until the source lets it go.
    if (!automation::CallsWithheld()) IConnectionPoint_Unadvise(connection.point, cookie);
    IConnectionPoint_Release(connection.point);
    IDispatch_Release(&connection.sink->dispatch);
}

}  // namespace win32

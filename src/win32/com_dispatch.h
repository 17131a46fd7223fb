#pragma once

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <map>
#include <string>

#include "automation/object.h"
#include "win32/event_sink.h"

namespace win32 {

// The product's late-bound object over a real IDispatch.
class ComDispatch final : public automation::Dispatch {
public:
    // An Object holding `dispatch` with a reference of its own; Nothing for null.
    static automation::Object wrap(IDispatch* dispatch);
    // An Object that takes over the caller's reference to `dispatch`.
    static automation::Object adopt(IDispatch* dispatch);
    // The IDispatch behind an Object of this backend (no new reference); null for Nothing.
    static IDispatch* unwrap(const automation::Object& object);

    void addRef() override;
    void release() override;
    automation::Value invoke(std::string_view member, automation::InvokeKind kind,
                             std::vector<automation::Value>& args) override;
    const void* identity() override;
    Dispatch* queryInterface(automation::Interface iface) override;
    automation::Cookie advise(automation::EventSet set, automation::EventSink& sink) override;
    void unadvise(automation::Cookie cookie) override;

private:
    explicit ComDispatch(IDispatch* adopted) : dispatch_(adopted) {}
    ~ComDispatch();

    struct Connection {
        IConnectionPoint* point;
        EventSinkObject* sink;
    };

    DISPID dispidOf(std::string_view member);
    const GUID* typeGuid();
    static void disconnect(automation::Cookie cookie, const Connection& connection);

    IDispatch* dispatch_;
    ULONG references_ = 1;
    const void* identity_ = nullptr;
    bool typeGuidKnown_ = false;
    bool hasTypeGuid_ = false;
    GUID typeGuid_{};
    // DISPIDs of an object that does not say its type, so they cannot be shared by type.
    std::map<std::string, DISPID, std::less<>> ownDispids_;
    std::map<automation::Cookie, Connection> connections_;
};

}  // namespace win32

#include "outlook/outlook_module.h"

#include "automation/component_factory.h"
#include "log/error_label.h"
#include "outlook/security_wrapper.h"

using automation::Missing;
using automation::Object;

bool ExecuteCommandBarControl(const Object& commandBars, int32_t controlId) {
    Object control;
    IgnoreErrors([&] { control = commandBars.call("FindControl", {Missing{}, controlId}).toObject(); });
    if (!control) return false;
    IgnoreErrors([&] { control.call("Execute"); });
    return true;
}

Object GetSafeAppointmentItem(const Object& appointment) {
    Object safe;
    IgnoreErrors([&] { safe = automation::CreateObject(security_wrapper::AppointmentItemProgId); });
    if (!safe) return appointment;
    safe.put("Item", appointment);
    return safe;
}

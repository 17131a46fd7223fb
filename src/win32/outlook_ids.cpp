#include "win32/outlook_ids.h"

#include <stdexcept>

namespace win32 {
namespace {

const IID outlookApplication = toGUID(officeGuid(0x00063001));
const IID outlookAppointmentItem = toGUID(officeGuid(0x00063033));

}  // namespace

GUID toGUID(const Guid& guid) {
    GUID result{guid.data1, guid.data2, guid.data3, {}};
    for (int i = 0; i < 8; ++i) result.Data4[i] = guid.data4[i];
    return result;
}

const IID& interfaceId(automation::Interface iface) {
    switch (iface) {
    case automation::Interface::OutlookApplication: return outlookApplication;
    case automation::Interface::OutlookAppointmentItem: return outlookAppointmentItem;
    }
    throw std::invalid_argument("unknown interface");
}

}  // namespace win32

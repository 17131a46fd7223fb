#pragma once

#include <cstdint>

// Outlook and Office values the add-in passes and compares.
namespace outlook {
constexpr int16_t olFolderCalendar = 9;
constexpr int16_t olAppointment = 26;  // item class
constexpr int16_t olAppointmentItem = 1;  // item type
constexpr int16_t olRequired = 1;
constexpr int16_t olResource = 3;
constexpr int16_t olNonMeeting = 0;
constexpr int16_t olMeeting = 1;
constexpr int16_t olFree = 0;
constexpr int16_t olSave = 0;
constexpr int16_t msoBarTop = 1;
constexpr int16_t msoControlButton = 1;
constexpr int16_t msoButtonIconAndCaption = 3;
// No customising, no change of visibility, no change of docking.
constexpr int16_t ToolbarProtection = 1 + 8 + 16;
constexpr int32_t msoAlertButtonOKCancel = 1;
constexpr int32_t msoAlertIconWarning = 3;
constexpr int32_t msoAlertDefaultFirst = 0;
constexpr int32_t msoAlertCancelSecond = 1;
}  // namespace outlook

#pragma once

// ProgIDs of the optional security wrapper library.
namespace security_wrapper {
constexpr const char* CurrentUserProgId = "VeskSec1.VeskCurrentUser";
constexpr const char* AppointmentItemProgId = "VeskSec1.VeskAppointmentItem";
constexpr const char* MAPIFolderProgId = "VeskSec1.VeskMAPIFolder";
}  // namespace security_wrapper

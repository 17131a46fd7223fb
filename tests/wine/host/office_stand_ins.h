#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace host {

// Office's own objects the add-in is handed, outside the simulated Outlook and so not counted
// among its objects: an IRibbonUI for the ribbon's onLoad, an IRibbonControl for a button (its Id,
// no context, no tag), and the COMAddIn object OnConnection passes.
IDispatch* newRibbonUI();
IDispatch* newRibbonControl(const std::string& id);
IDispatch* newComAddinObject();

}  // namespace host

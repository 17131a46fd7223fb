#pragma once

#include <memory>

#include "addin_host.h"

namespace host {

// Quorvel.dll as Outlook loads it: created by its ProgID through CoCreateInstance, called through
// IDTExtensibility2 and IRibbonExtensibility, its ribbon callbacks invoked by name through its
// IDispatch. Destroying it is Outlook's final Release.
std::unique_ptr<AddinHost> MakeComAddin();

}  // namespace host

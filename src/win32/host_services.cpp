#include "win32/host_services.h"

#include "automation/component_factory.h"
#include "platform/platform.h"
#include "ui/widgets.h"
#include "win32/com_component_factory.h"
#include "win32/win32_services.h"
#include "win32/win32_toolkit.h"

namespace win32 {

void installHostServices() {
    static Win32Services services;
    static Win32Toolkit toolkit;
    static ComComponentFactory components;
    platform::setServices(&services);
    ui::setToolkit(&toolkit);
    automation::setComponentFactory(&components);
}

}  // namespace win32

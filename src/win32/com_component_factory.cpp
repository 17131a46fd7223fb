#include "win32/com_component_factory.h"

#include <windows.h>
#include <objbase.h>

#include "win32/com_dispatch.h"
#include "win32/wide.h"

namespace win32 {

automation::Object ComComponentFactory::create(std::string_view progId) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(wide(progId).c_str(), &clsid))) return automation::Object();
    IDispatch* dispatch = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&dispatch))))
        return automation::Object();
    return ComDispatch::adopt(dispatch);
}

}  // namespace win32

#include <windows.h>
#include <olectl.h>

#include "win32/class_factory.h"
#include "win32/module.h"
#include "win32/registration.h"

// The four exports of an in-process COM server, and the entry point.

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) win32::setModule(instance);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) { return win32::getClassObject(clsid, iid, out); }

STDAPI DllCanUnloadNow() { return win32::moduleInUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() { return win32::registerServer(); }

STDAPI DllUnregisterServer() { return win32::unregisterServer(); }

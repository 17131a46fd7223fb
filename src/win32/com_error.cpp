#include "win32/com_error.h"

#include "win32/error_codes.h"
#include "win32/wide.h"

namespace win32 {
namespace {

std::string takeString(BSTR& text) {
    std::string result = narrow(text, SysStringLen(text));
    SysFreeString(text);
    text = nullptr;
    return result;
}

}  // namespace

HRESULT lastErrorHresult() {
    const DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

std::string systemMessage(HRESULT hresult) {
    wchar_t* buffer = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length = FormatMessageW(flags, nullptr, static_cast<DWORD>(hresult), 0,
                                        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string message = length ? trimMessage(narrow(buffer, length)) : std::string();
    LocalFree(buffer);
    return message;
}

automation::Error comError(HRESULT hresult, EXCEPINFO* exception) {
    std::string description;
    if (hresult == DISP_E_EXCEPTION && exception) {
        if (exception->pfnDeferredFillIn) exception->pfnDeferredFillIn(exception);
        if (exception->scode) {
            hresult = exception->scode;
        } else if (exception->wCode) {
            hresult = hresultFromErrorNumber(exception->wCode);
        }
        description = takeString(exception->bstrDescription);
        SysFreeString(exception->bstrSource);
        SysFreeString(exception->bstrHelpFile);
        exception->bstrSource = exception->bstrHelpFile = nullptr;
    }
    const int32_t number = errorNumberFromHresult(hresult);
    if (description.empty() && number != hresult) description = basicErrorText(number);
    if (description.empty()) description = systemMessage(hresult);
    if (description.empty()) description = automationErrorText(hresult);
    return automation::Error(number, description);
}

}  // namespace win32

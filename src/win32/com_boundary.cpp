#include "win32/com_boundary.h"

#include <new>
#include <stdexcept>
#include <string>

#include "automation/error.h"
#include "win32/error_codes.h"
#include "win32/wide.h"

namespace win32 {
namespace {

constexpr const wchar_t* Source = L"Quorvel.Connect";

struct Failure {
    HRESULT hresult;
    std::string description;
};

Failure currentFailure() noexcept {
    try {
        throw;
    } catch (const automation::Error& error) {
        return {hresultFromErrorNumber(error.code()), error.description()};
    } catch (const std::bad_alloc&) {
        return {E_OUTOFMEMORY, std::string()};
    } catch (const std::exception& error) {
        return {E_FAIL, error.what()};
    } catch (...) {
        return {E_UNEXPECTED, std::string()};
    }
}

}  // namespace

HRESULT failureAsErrorInfo(REFIID iid) noexcept {
    const Failure failure = currentFailure();
    ICreateErrorInfo* create = nullptr;
    if (failure.description.empty() || FAILED(CreateErrorInfo(&create))) return failure.hresult;
    try {
        ICreateErrorInfo_SetGUID(create, iid);
        ICreateErrorInfo_SetSource(create, const_cast<wchar_t*>(Source));
        ICreateErrorInfo_SetDescription(create, wide(failure.description).data());
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(ICreateErrorInfo_QueryInterface(create, IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            IErrorInfo_Release(info);
        }
    } catch (...) {
        // Out of memory while describing the failure: the HRESULT alone still reports it.
    }
    ICreateErrorInfo_Release(create);
    return failure.hresult;
}

HRESULT failureAsException(EXCEPINFO* exception) noexcept {
    const Failure failure = currentFailure();
    if (!exception) return failure.hresult;
    *exception = EXCEPINFO{};
    exception->scode = failure.hresult;
    exception->bstrSource = SysAllocString(Source);
    try {
        const std::wstring description = wide(failure.description);
        exception->bstrDescription = SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
    } catch (...) {
        exception->bstrDescription = nullptr;
    }
    return DISP_E_EXCEPTION;
}

}  // namespace win32

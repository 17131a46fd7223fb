#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

// How a caller on a list's own thread (a test host, an in-process tool) reads an entry's name from
// Quorvel's lists. They keep their names in the add-in's memory (owner data, no LBS_HASSTRINGS),
// so LB_GETTEXT gives an entry's item data, as for any such list box.
//
// Message: RegisterWindowMessageW(ListEntryTextMessageName). wParam: the entry's index. lParam: a
// ListEntryText, whose size is sizeof(ListEntryText). The list writes at most `capacity`
// characters into `buffer`, the last of them a terminating zero, and answers the name's whole
// length (without the zero), so that a caller can ask again with more room. It answers LB_ERR for
// an index out of range, a missing or malformed request, and a sender on another thread, whose
// pointer means nothing in the list's process.
struct ListEntryText {
    UINT size;
    UINT capacity;
    WCHAR* buffer;
};

inline constexpr wchar_t ListEntryTextMessageName[] = L"Quorvel.ListEntryText";

// The same request with RegisterWindowMessageW(ListEntryNameMessageName) answers the entry's
// accessible name instead, as a screen reader reads it: the name, then ", " and its availability
// in a list with marks once it is known ("Anna Berg, busy"). A host under Wine, which cannot pass
// the list's IAccessible even within a process, reads it so.
inline constexpr wchar_t ListEntryNameMessageName[] = L"Quorvel.ListEntryName";

inline UINT listEntryTextMessage() {
    static const UINT message = RegisterWindowMessageW(ListEntryTextMessageName);
    return message;
}

inline UINT listEntryNameMessage() {
    static const UINT message = RegisterWindowMessageW(ListEntryNameMessageName);
    return message;
}

// Answers a request as the lists answer it: `text` copied as far as the buffer holds, and its
// whole length; LB_ERR for a malformed request. The caller checks the sender's thread.
inline LRESULT answerTextRequest(const std::wstring& text, LPARAM lParam) {
    auto* request = reinterpret_cast<ListEntryText*>(lParam);
    if (!request || request->size != sizeof(ListEntryText)) return LB_ERR;
    if (request->capacity > 0 && request->buffer) {
        const size_t copied = std::min<size_t>(text.size(), request->capacity - 1);
        std::copy_n(text.c_str(), copied, request->buffer);
        request->buffer[copied] = L'\0';
    }
    return static_cast<LRESULT>(text.size());
}

// What `message` answers for `which` (an entry's index, a window) from `window`, asked for twice:
// its length, then the whole of it. Empty when there is nothing to answer.
inline std::wstring readTextAnswer(HWND window, UINT message, WPARAM which) {
    ListEntryText request{sizeof(ListEntryText), 0, nullptr};
    const LRESULT length = SendMessageW(window, message, which, reinterpret_cast<LPARAM>(&request));
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    request.capacity = static_cast<UINT>(text.size());
    request.buffer = text.data();
    SendMessageW(window, message, which, reinterpret_cast<LPARAM>(&request));
    text.resize(static_cast<size_t>(length));
    return text;
}

inline std::wstring readListEntryText(HWND list, int index) {
    return readTextAnswer(list, listEntryTextMessage(), static_cast<WPARAM>(index));
}

inline std::wstring readListEntryName(HWND list, int index) {
    return readTextAnswer(list, listEntryNameMessage(), static_cast<WPARAM>(index));
}

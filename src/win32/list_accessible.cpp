#include "win32/list_accessible.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "win32/child_enumeration.h"
#include "win32/com_boundary.h"
#include "win32/module.h"
#include "win32/win32_list_box.h"

namespace win32 {
namespace {

using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using AccessibleObjectFromWindowFunction = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

// Loaded only when a screen reader first asks, and kept: Outlook without one never needs it.
FARPROC oleacc(const char* function) {
    static const HMODULE library = LoadLibraryW(L"oleacc.dll");
    return library ? GetProcAddress(library, function) : nullptr;
}

template <typename Function>
Function bound(const char* function) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(oleacc(function)));
}

ListAccessibleObject* impl_from_IAccessible(IAccessible* iface) {
    return CONTAINING_RECORD(iface, ListAccessibleObject, accessible);
}

// The entry a child ID names (0 for the list itself), or -1 for none.
int entryOf(const Win32ListBox& list, const VARIANT& child) {
    if (child.vt != VT_I4) return -1;
    if (child.lVal == CHILDID_SELF) return 0;
    return child.lVal >= 1 && child.lVal <= list.count() ? static_cast<int>(child.lVal) : -1;
}

void setChild(VARIANT* out, LONG child) {
    out->vt = VT_I4;
    out->lVal = child;
}

// Runs `answer` for a list that is still there and a child ID that names it or an entry of it.
template <typename Answer>
HRESULT withChild(IAccessible* iface, const VARIANT& child, Answer answer) {
    const Win32ListBox* list = impl_from_IAccessible(iface)->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    const int entry = entryOf(*list, child);
    if (entry < 0) return E_INVALIDARG;
    return guarded(IID_IAccessible, [&] { return answer(*list, entry); });
}

bool hasFocus(const Win32ListBox& list) { return GetFocus() == list.handle(); }

bool isChosen(const Win32ListBox& list, int entry) {
    return SendMessageW(list.handle(), LB_GETSEL, static_cast<WPARAM>(entry - 1), 0) > 0;
}

bool showsText(HWND control) {
    wchar_t className[8] = L"";
    GetClassNameW(control, className, 8);
    if (lstrcmpiW(className, L"Static") != 0) return false;
    const DWORD kind = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)) & SS_TYPEMASK;
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP;
}

// A list has no text of its own. As Windows names such a control, its name is the text of the
// label just before it in z-order, as the label draws it: "&&" is one "&", a lone "&" marks the
// access key.
std::wstring captionOf(HWND list) {
    HWND label = GetWindow(list, GW_HWNDPREV);
    if (!label || !showsText(label)) return L"";
    const std::wstring text = windowText(label);
    if (GetWindowLongPtrW(label, GWL_STYLE) & SS_NOPREFIX) return text;
    std::wstring drawn;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && ++i == text.size()) break;
        drawn += text[i];
    }
    return drawn;
}

HRESULT setText(BSTR* out, const std::wstring& text) {
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

int caretOf(const Win32ListBox& list) {
    return static_cast<int>(SendMessageW(list.handle(), LB_GETCARETINDEX, 0, 0));
}

// An entry's box in screen coordinates.
RECT entryBox(const Win32ListBox& list, int entry) {
    RECT box{};
    SendMessageW(list.handle(), LB_GETITEMRECT, static_cast<WPARAM>(entry - 1), reinterpret_cast<LPARAM>(&box));
    MapWindowPoints(list.handle(), nullptr, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

LONG stateOf(const Win32ListBox& list, int entry) {
    LONG state = STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowVisible(list.handle())) state |= STATE_SYSTEM_INVISIBLE;
    if (entry == 0) return state | (hasFocus(list) ? STATE_SYSTEM_FOCUSED : 0);
    state |= STATE_SYSTEM_SELECTABLE | (list.multiSelect() ? STATE_SYSTEM_MULTISELECTABLE : 0);
    if (isChosen(list, entry)) state |= STATE_SYSTEM_SELECTED;
    if (hasFocus(list) && caretOf(list) == entry - 1) state |= STATE_SYSTEM_FOCUSED;
    RECT client{};
    GetClientRect(list.handle(), &client);
    MapWindowPoints(list.handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT box = entryBox(list, entry);
    RECT shown{};
    if (!IntersectRect(&shown, &box, &client)) state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    return state;
}

HRESULT STDMETHODCALLTYPE accessible_QueryInterface(IAccessible* iface, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IAccessible)) {
        *out = iface;
        IAccessible_AddRef(iface);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE accessible_AddRef(IAccessible* iface) {
    return static_cast<ULONG>(InterlockedIncrement(&impl_from_IAccessible(iface)->references));
}

ULONG STDMETHODCALLTYPE accessible_Release(IAccessible* iface) {
    ListAccessibleObject* This = impl_from_IAccessible(iface);
    const LONG references = InterlockedDecrement(&This->references);
    if (references == 0) {
        delete This;
        releaseModule();
    }
    return static_cast<ULONG>(references);
}

// Screen readers call through the vtable; by name there is nothing to call.
HRESULT STDMETHODCALLTYPE accessible_GetTypeInfoCount(IAccessible*, UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE accessible_GetTypeInfo(IAccessible*, UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE accessible_GetIDsOfNames(IAccessible*, REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE accessible_Invoke(IAccessible*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                            EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE accessible_get_accParent(IAccessible* iface, IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    const Win32ListBox* list = impl_from_IAccessible(iface)->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    const auto fromWindow = bound<AccessibleObjectFromWindowFunction>("AccessibleObjectFromWindow");
    if (!fromWindow) return S_FALSE;
    return fromWindow(list->handle(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT STDMETHODCALLTYPE accessible_get_accChildCount(IAccessible* iface, LONG* count) {
    if (!count) return E_POINTER;
    const Win32ListBox* list = impl_from_IAccessible(iface)->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    *count = list->count();
    return S_OK;
}

// The entries are simple elements, named by child ID, with no object of their own.
HRESULT STDMETHODCALLTYPE accessible_get_accChild(IAccessible* iface, VARIANT child, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return withChild(iface, child, [](const Win32ListBox&, int) { return S_FALSE; });
}

HRESULT STDMETHODCALLTYPE accessible_get_accName(IAccessible* iface, VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    return withChild(iface, child, [&](const Win32ListBox& list, int entry) {
        if (entry == 0) return setText(name, captionOf(list.handle()));
        const std::wstring text = list.accessibleName(entry - 1);
        *name = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT STDMETHODCALLTYPE accessible_get_accRole(IAccessible* iface, VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    return withChild(iface, child, [&](const Win32ListBox&, int entry) {
        setChild(role, entry == 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE accessible_get_accState(IAccessible* iface, VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    return withChild(iface, child, [&](const Win32ListBox& list, int entry) {
        setChild(state, stateOf(list, entry));
        return S_OK;
    });
}

// A text the lists do not have: no value, description, help or shortcut.
HRESULT STDMETHODCALLTYPE accessible_noText(IAccessible* iface, VARIANT child, BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return withChild(iface, child, [](const Win32ListBox&, int) { return S_FALSE; });
}

HRESULT STDMETHODCALLTYPE accessible_get_accHelpTopic(IAccessible*, BSTR* file, VARIANT, LONG* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE accessible_get_accFocus(IAccessible* iface, VARIANT* focus) {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    const Win32ListBox* list = impl_from_IAccessible(iface)->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    if (!hasFocus(*list)) return S_FALSE;
    const int caret = caretOf(*list);
    setChild(focus, caret >= 0 && caret < list->count() ? caret + 1 : CHILDID_SELF);
    return S_OK;
}

// None: VT_EMPTY; one: its child ID; several: an enumeration of their child IDs.
HRESULT STDMETHODCALLTYPE accessible_get_accSelection(IAccessible* iface, VARIANT* selection) {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    const Win32ListBox* list = impl_from_IAccessible(iface)->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    return guarded(IID_IAccessible, [&] {
        std::vector<int> chosen = list->chosenIndexes();
        if (chosen.size() == 1) setChild(selection, chosen.front() + 1);
        if (chosen.size() <= 1) return S_OK;
        std::vector<LONG> children(chosen.begin(), chosen.end());
        for (LONG& child : children) ++child;
        IEnumVARIANT* enumeration = createChildEnumeration(std::move(children));
        if (!enumeration) return E_OUTOFMEMORY;
        selection->vt = VT_UNKNOWN;
        selection->punkVal = reinterpret_cast<IUnknown*>(enumeration);
        return S_OK;
    });
}

bool validSelectionFlags(LONG flags, bool multiSelect) {
    if ((flags & ~SELFLAG_VALID) != 0) return false;
    if ((flags & SELFLAG_ADDSELECTION) && (flags & SELFLAG_REMOVESELECTION)) return false;
    if ((flags & SELFLAG_TAKESELECTION) &&
        (flags & (SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION)))
        return false;
    // One entry at most is chosen in a list that is not multi-select.
    return multiSelect || (flags & (SELFLAG_ADDSELECTION | SELFLAG_EXTENDSELECTION)) == 0;
}

using Change = std::pair<int, bool>;  // an entry's index and whether it is to be chosen

// What the flags change, in the order the changes are made: entries that lose their choice first.
std::vector<Change> changesOf(const Win32ListBox& list, LONG flags, int index, int anchor) {
    std::vector<Change> changes;
    if (flags & SELFLAG_TAKESELECTION) {
        for (int chosen : list.chosenIndexes())
            if (chosen != index) changes.emplace_back(chosen, false);
        changes.emplace_back(index, true);
    } else if (flags & SELFLAG_EXTENDSELECTION) {
        // Without an anchor among the entries, the range is this entry alone.
        const int from = anchor >= 0 && anchor < list.count() ? anchor : index;
        const bool chosen = (flags & SELFLAG_ADDSELECTION)      ? true
                            : (flags & SELFLAG_REMOVESELECTION) ? false
                                                                : isChosen(list, from + 1);
        for (int entry = std::min(from, index); entry <= std::max(from, index); ++entry)
            changes.emplace_back(entry, chosen);
    } else if (flags & (SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION)) {
        changes.emplace_back(index, (flags & SELFLAG_ADDSELECTION) != 0);
    }
    return changes;
}

// Each change brings what a click on that entry brings; a handler of the form may take the list
// away, and then the rest is not done.
void makeChanges(ListAccessibleObject* object, const std::vector<Change>& changes) {
    for (const Change& change : changes) {
        if (!object->list) return;
        object->list->choose(change.first, change.second);
    }
}

HRESULT STDMETHODCALLTYPE accessible_accSelect(IAccessible* iface, LONG flags, VARIANT child) {
    ListAccessibleObject* object = impl_from_IAccessible(iface);
    Win32ListBox* list = object->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    const int entry = entryOf(*list, child);
    if (entry < 0 || !validSelectionFlags(flags, list->multiSelect())) return E_INVALIDARG;
    if (entry == 0) {
        if ((flags & ~SELFLAG_TAKEFOCUS) != 0) return E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS) SetFocus(list->handle());
        return S_OK;
    }
    const int index = entry - 1;
    const int anchor = static_cast<int>(SendMessageW(list->handle(), LB_GETANCHORINDEX, 0, 0));
    return guarded(IID_IAccessible, [&] {
        const std::vector<Change> changes = changesOf(*list, flags, index, anchor);
        if (flags & SELFLAG_TAKEFOCUS) list->focusEntry(index, (flags & SELFLAG_EXTENDSELECTION) == 0);
        makeChanges(object, changes);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE accessible_accLocation(IAccessible* iface, LONG* left, LONG* top, LONG* width,
                                                 LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    return withChild(iface, child, [&](const Win32ListBox& list, int entry) {
        RECT box{};
        if (entry == 0) {
            GetClientRect(list.handle(), &box);
            MapWindowPoints(list.handle(), nullptr, reinterpret_cast<POINT*>(&box), 2);
        } else {
            box = entryBox(list, entry);
        }
        *left = box.left;
        *top = box.top;
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE accessible_accNavigate(IAccessible* iface, LONG direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    return withChild(iface, start, [&](const Win32ListBox& list, int entry) {
        int next = 0;
        if (entry == 0 && direction == NAVDIR_FIRSTCHILD) next = 1;
        if (entry == 0 && direction == NAVDIR_LASTCHILD) next = list.count();
        if (entry > 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)) next = entry + 1;
        if (entry > 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)) next = entry - 1;
        if (next < 1 || next > list.count()) return S_FALSE;
        setChild(end, next);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE accessible_accHitTest(IAccessible* iface, LONG x, LONG y, VARIANT* hit) {
    if (!hit) return E_POINTER;
    VariantInit(hit);
    const Win32ListBox* list = impl_from_IAccessible(iface)->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    POINT point{x, y};
    ScreenToClient(list->handle(), &point);
    RECT client{};
    GetClientRect(list->handle(), &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    const LRESULT found =
        SendMessageW(list->handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    setChild(hit, HIWORD(found) == 0 ? static_cast<LONG>(LOWORD(found)) + 1 : CHILDID_SELF);
    return S_OK;
}

// An entry's action is a click's: a multi-select list's entry toggles, another list's is chosen.
HRESULT STDMETHODCALLTYPE accessible_get_accDefaultAction(IAccessible* iface, VARIANT child, BSTR* action) {
    if (!action) return E_POINTER;
    *action = nullptr;
    return withChild(iface, child, [&](const Win32ListBox& list, int entry) {
        if (entry == 0) return S_FALSE;
        return setText(action, list.multiSelect() ? L"Toggle" : L"Select");
    });
}

HRESULT STDMETHODCALLTYPE accessible_accDoDefaultAction(IAccessible* iface, VARIANT child) {
    Win32ListBox* list = impl_from_IAccessible(iface)->list;
    if (!list) return CO_E_OBJNOTCONNECTED;
    const int entry = entryOf(*list, child);
    if (entry < 0) return E_INVALIDARG;
    if (entry == 0) return DISP_E_MEMBERNOTFOUND;
    return guarded(IID_IAccessible, [&] {
        list->focusEntry(entry - 1, true);
        list->choose(entry - 1, !list->multiSelect() || !isChosen(*list, entry));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE accessible_put(IAccessible*, VARIANT, BSTR) { return E_NOTIMPL; }

const IAccessibleVtbl accessibleVtbl = {
    accessible_QueryInterface,
    accessible_AddRef,
    accessible_Release,
    accessible_GetTypeInfoCount,
    accessible_GetTypeInfo,
    accessible_GetIDsOfNames,
    accessible_Invoke,
    accessible_get_accParent,
    accessible_get_accChildCount,
    accessible_get_accChild,
    accessible_get_accName,
    accessible_noText,  // get_accValue
    accessible_noText,  // get_accDescription
    accessible_get_accRole,
    accessible_get_accState,
    accessible_noText,  // get_accHelp
    accessible_get_accHelpTopic,
    accessible_noText,  // get_accKeyboardShortcut
    accessible_get_accFocus,
    accessible_get_accSelection,
    accessible_get_accDefaultAction,
    accessible_accSelect,
    accessible_accLocation,
    accessible_accNavigate,
    accessible_accHitTest,
    accessible_accDoDefaultAction,
    accessible_put,  // put_accName
    accessible_put,  // put_accValue
};

}  // namespace

ListAccessibleObject* createListAccessible(Win32ListBox& list) {
    auto* object = new ListAccessibleObject{{&accessibleVtbl}, 1, &list};
    holdModule();
    return object;
}

void detachListAccessible(ListAccessibleObject* object) { object->list = nullptr; }

LRESULT answerGetObject(IAccessible* object, WPARAM wParam) {
    const auto fromObject = bound<LresultFromObjectFunction>("LresultFromObject");
    if (!fromObject) return 0;
    const LRESULT answer = fromObject(IID_IAccessible, wParam, reinterpret_cast<IUnknown*>(object));
    return answer > 0 ? answer : 0;
}

}  // namespace win32

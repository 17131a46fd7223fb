#include "directory/temporary_draft.h"

#include <string>
#include <vector>

#include "host/globals.h"
#include "log/error_label.h"
#include "outlook/outlook_constants.h"
#include "session/addin.h"

using automation::Object;

namespace {

const std::string DraftFilter = std::string("[Subject] = '") + TemporaryDraftSubject + "'";

// Find ignores case: a user's own item that differs only in case is not ours to delete.
bool IsDraft(const Object& item) {
    std::string subject;
    IgnoreErrors([&] { subject = item.get("Subject").toString(); });
    return subject == TemporaryDraftSubject;
}

}  // namespace

bool NeedsTemporaryDraft(int16_t outlookVersion) { return outlookVersion < 11; }

void DeleteTemporaryDraft(const ErrorLabel& on, const Object& draft) {
    if (on.step([&] { draft.call("Delete"); })) return;
    on.step([&] { draft.call("Delete"); });
}

void DeleteLeftoverDrafts(const ErrorLabel& on, const Object& editing) {
    Object items;
    on.step([&] {
        items = Addin().NameSpace().call("GetDefaultFolder", {outlook::olFolderCalendar}).toObject().get("Items").toObject();
    });
    if (!items) return;
    // Collected first and deleted after, so deleting cannot disturb the search.
    std::vector<Object> drafts;
    Object found;
    on.step([&] { found = items.call("Find", {DraftFilter}).toObject(); });
    while (found) {
        if (IsDraft(found) && !found.is(editing)) drafts.push_back(found);
        Object next;
        on.step([&] { next = items.call("FindNext").toObject(); });
        found = next;
    }
    for (const Object& draft : drafts) on.step([&] { draft.call("Delete"); });
}

void DeleteLeftoverDraftsAtConnection() {
    int16_t version = 0;
    if (!IgnoreErrors([&] { version = Addin().GetOutlookVersion(); })) return;
    if (NeedsTemporaryDraft(version)) DeleteLeftoverDrafts(ErrorLabel("GlobalInitSettings:"), Object());
}

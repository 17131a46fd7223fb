#pragma once

#include <cstdint>

#include "automation/object.h"

class ErrorLabel;

// Outlook 2000 and 2002 give a meeting's recipients reliably only from a saved copy of it, the
// temporary draft. The draft must not outlive the dialog's preparation.
inline constexpr const char* TemporaryDraftSubject = "Quorvel Temporary Draft";

bool NeedsTemporaryDraft(int16_t outlookVersion);

// Deletes the draft, trying a second time when Outlook refuses once.
void DeleteTemporaryDraft(const ErrorLabel& on, const automation::Object& draft);

// Deletes the drafts an earlier refusal left in the calendar: items with exactly that subject,
// except `editing`, one the user has opened and is working on.
void DeleteLeftoverDrafts(const ErrorLabel& on, const automation::Object& editing);

// The same at connection, on the Outlook versions that make drafts; failures are logged with
// the directory's loading.
void DeleteLeftoverDraftsAtConnection();

#pragma once

#include <ostream>

#include "session.h"

// What a user of the simulated Outlook sees, printed as text.
void PrintWindows(std::ostream& out, Session& session);
void PrintToolbars(std::ostream& out, const automation::Object& window);
void PrintFolder(std::ostream& out, Session& session, sim::FolderKind folder);
void PrintSchedules(std::ostream& out, Session& session);
void PrintItem(std::ostream& out, Session& session, const automation::Object& item);
void PrintLog(std::ostream& out, Session& session);
void PrintReferences(std::ostream& out, Session& session);
// The add-in's calls into Outlook per Class.Member with counts, then the simulator's own.
void PrintCalls(std::ostream& out, Session& session);

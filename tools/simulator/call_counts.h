#pragma once

// The calls a step made into Outlook: Invoke, and GetIDsOfNames where the add-in is reached
// through COM.
struct CallCounts {
    long long invokes = 0;
    long long nameLookups = 0;
};

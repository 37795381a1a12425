// One running copy per logon session, marked by a named event.
#pragma once

namespace ql {

// Creates the event first and treats an existing one as another running
// instance, which closes the gap between testing and creating. Returns false
// when another instance holds the event. The handle is kept for the process.
bool AcquireSingleInstance(const char* key);
// Returns only in the first instance; a later one ends here with exit code 0.
void GuardSingleInstance(const char* key);

}  // namespace ql

// The portable engine answers the shared RegexObject cases.
#include "tests/support/regex_object_cases.h"

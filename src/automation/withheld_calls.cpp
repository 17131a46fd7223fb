#include "automation/withheld_calls.h"

namespace automation {
namespace {

int withheldScopes = 0;

}  // namespace

WithheldCalls::WithheldCalls() { ++withheldScopes; }

WithheldCalls::~WithheldCalls() { --withheldScopes; }

bool CallsWithheld() { return withheldScopes > 0; }

}  // namespace automation

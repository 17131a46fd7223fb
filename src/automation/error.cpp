#include "automation/error.h"

namespace automation::errors {

Error invalidProcedureCall() { return Error(InvalidProcedureCall, "Invalid procedure call or argument"); }
Error overflow() { return Error(Overflow, "Overflow"); }
Error typeMismatch() { return Error(TypeMismatch, "Type mismatch"); }
Error objectNotSet() { return Error(ObjectNotSet, "Object variable or With block variable not set"); }

Error cannotCreateObject() { return Error(CannotCreateObject, "ActiveX component can't create object"); }

Error disconnected() { return Error(Disconnected, "The object invoked has disconnected from its clients."); }

}  // namespace automation::errors

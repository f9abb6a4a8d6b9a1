#pragma once

// The general error handler: the one place where a failure that ends a
// command is shown to the user, as a message box with its Czech text.

#include <functional>

namespace urn {

// The general error handler: runs `work`, and shows an escaping exception's
// Czech text in a message box; the program goes on. Returns false when an
// exception was reported.
bool runReportingErrors(const std::function<void()>& work);

// A slot for connect() that runs the member function inside the general
// error handler, so that nothing it raises crosses Qt's signal delivery.
template <class T> std::function<void()> guarded(T* object, void (T::*slot)()) {
    return [object, slot] { runReportingErrors([object, slot] { (object->*slot)(); }); };
}
template <class T, class A> std::function<void(A)> guarded(T* object, void (T::*slot)(A)) {
    return [object, slot](A a) { runReportingErrors([object, slot, a] { (object->*slot)(a); }); };
}

// Shows the report of the exception being handled (call inside catch).
void reportCurrentException();

} // namespace urn

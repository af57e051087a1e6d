// Errors that escape an event handler never cross the Windows message dispatch: every window procedure catches
// them and hands them to the one application-wide handler, which the program installs at start-up.
#pragma once

#include <exception>
#include <type_traits>
#include <utility>

namespace platform {

using ErrorHandler = void (*)(const std::exception& error);

void SetApplicationErrorHandler(ErrorHandler handler);
void ReportError(const std::exception& error);

// Runs a window procedure's work; an escaping error goes to the application-wide handler and the message
// counts as handled with a result of 0 (or nothing, for work that returns nothing).
template <class Work>
auto Guarded(Work&& work) -> decltype(work()) {
    try {
        return std::forward<Work>(work)();
    } catch (const std::exception& error) {
        ReportError(error);
        if constexpr (!std::is_void_v<decltype(work())>) return {};
    }
}

}  // namespace platform

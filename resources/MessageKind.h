#pragma once

namespace Resources
{

/// Severity of a message shown to the user. The values are the kinds that
/// the message-report function takes, so they never change.
enum class NMessageKind : unsigned
{
    Information = 0,
    Warning = 1,
    Error = 2,
    FatalError = 3,
};

} // namespace Resources

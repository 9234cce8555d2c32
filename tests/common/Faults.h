#pragma once

// What a call raised: the message of the fault of the given kind, or nothing
// when the call returned.

#include "core/Fault.h"

#include <QString>

#include <optional>

namespace vocarin::testkit {

template <typename FaultKind = Fault, typename Call> std::optional<QString> faultOf(Call&& call)
{
    try {
        call();
    } catch (const FaultKind& fault) {
        return fault.message();
    }
    return std::nullopt;
}

} // namespace vocarin::testkit

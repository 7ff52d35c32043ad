#pragma once

#include "platform/core/Result.h"

#include <QString>

// A result's reason for a test's failure message; empty for a success.
template <class T, class E> QString failureText(const Result<T, E>& result)
{
    return result ? QString() : describeFailure(result.error());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ErrorCodes.h"
#include "ImagingError.h"

#include <new>

namespace quorvel::imaging {

// Runs a command's body with one failure path: the first ImagingError abandons the remaining
// steps and goes to `fail`; running out of memory goes there as error 20001. Neither escapes, so
// an event handler never unwinds into the event loop.
template <typename Body, typename Fail>
void withFailurePath(Body&& body, Fail&& fail) {
    try {
        body();
    } catch (const ImagingError& error) {
        fail(error);
    } catch (const std::bad_alloc&) {
        fail(ImagingError(errc::NoMemory, kImageControlSource));
    }
}

}  // namespace quorvel::imaging

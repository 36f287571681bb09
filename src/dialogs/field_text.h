#pragma once
// Reading a fixed character field of the page for display: the text ends at the first NUL or at
// the end of the field, whichever comes first, so a field that a damaged file filled to the
// brim is never read past its end.

#include "dialogs/dialog_frame.h"

#include <cstring>

template <size_t N> QString dialogs_FieldText(const char (&field)[N]) {
    return DialogFrame::fromPageBytes(std::string(field, strnlen(field, N)));
}

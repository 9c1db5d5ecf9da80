#pragma once

namespace tqannotations {

//! The number at the start of text as atof reads it in the "C" locale: leading blanks, a sign,
//! decimals, an exponent, hexadecimal, infinity; 0 when the text starts with no number.
//!
//! Template sizes are written with a decimal point whatever the language of the user, so the
//! locale that the host has set must not change how they read. Plain decimals of up to fifteen
//! digits, which is what templates hold, are read here directly (exactly, as the general reader
//! would); everything else goes to the C library's reader.
double ReadLeadingNumber(const char* text);

} // namespace tqannotations

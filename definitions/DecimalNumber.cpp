#include "definitions/DecimalNumber.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale.h>

namespace tqannotations {
namespace {

//! Up to this many digits the digits are exactly a double, and so is a power of ten up to
//! the 22nd: one correctly rounded division then gives the correctly rounded value.
constexpr int kExactDigits = 15;

const double kPowersOfTen[kExactDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

double ReadInCLocale(const char* text)
{
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return cLocale ? strtod_l(text, nullptr, cLocale) : std::strtod(text, nullptr);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

double ReadLeadingNumber(const char* text)
{
  const char* p = text;
  const bool negative = *p == '-';
  if (negative)
    ++p;
  std::uint64_t digits = 0;
  int digitCount = 0;
  int fractionDigits = 0;
  bool afterPoint = false;
  for (;; ++p) {
    if (IsDigit(*p)) {
      if (++digitCount > kExactDigits)
        return ReadInCLocale(text);
      digits = digits * 10 + std::uint64_t(*p - '0');
      fractionDigits += afterPoint ? 1 : 0;
    } else if (*p == '.' && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  // No digit at all (blanks, "+", "inf", "nan") or what may continue the number in a form read
  // here not (an exponent, a hexadecimal number): the general reader decides.
  const char next = *p;
  if (digitCount == 0 || next == 'e' || next == 'E' || next == 'x' || next == 'X')
    return ReadInCLocale(text);
  const double value = double(digits) / kPowersOfTen[fractionDigits];
  return negative ? -value : value;
}

} // namespace tqannotations

// CString::Format's conversions: the system's printf family over UTF-16 text.
#include <string>

#include "kp_afx_format.h"

namespace {

struct Spec {
  bool left = false, plus = false, space = false, zero = false, alternate = false;
  int width = 0;
  int precision = -1;
  int size = 0;  // -1 h, 0 default, 2 64-bit
};

void Pad(std::u16string& out, const std::u16string& body, const Spec& spec, size_t signLength) {
  const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
  if (body.size() >= width) {
    out += body;
  } else if (spec.left) {
    out += body;
    out.append(width - body.size(), u' ');
  } else if (spec.zero) {
    // Zeros go between the sign (or 0x) and the digits: %05d of -42 is -0042.
    out += body.substr(0, signLength);
    out.append(width - body.size(), u'0');
    out += body.substr(signLength);
  } else {
    out.append(width - body.size(), u' ');
    out += body;
  }
}

std::u16string Digits(unsigned long long value, unsigned base, bool upper, int precision) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::u16string digits;
  while (value) {
    digits.insert(digits.begin(), static_cast<char16_t>(symbols[value % base]));
    value /= base;
  }
  const size_t minimum = precision < 0 ? 1 : static_cast<size_t>(precision);
  if (digits.size() < minimum) digits.insert(0, minimum - digits.size(), u'0');
  return digits;
}

}  // namespace

std::u16string KpFormatV(LPCWSTR format, va_list args) {
  std::u16string out;
  if (!format) return out;
  for (const WCHAR* p = format; *p; ++p) {
    if (*p != u'%') {
      out += *p;
      continue;
    }
    const WCHAR* start = p++;
    if (*p == u'%') {
      out += u'%';
      continue;
    }
    Spec spec;
    for (;; ++p) {
      if (*p == u'-') spec.left = true;
      else if (*p == u'+') spec.plus = true;
      else if (*p == u' ') spec.space = true;
      else if (*p == u'0') spec.zero = true;
      else if (*p == u'#') spec.alternate = true;
      else break;
    }
    if (*p == u'*') {
      spec.width = va_arg(args, int);
      if (spec.width < 0) spec.left = true, spec.width = -spec.width;
      ++p;
    } else {
      while (*p >= u'0' && *p <= u'9') spec.width = spec.width * 10 + (*p++ - u'0');
    }
    if (*p == u'.') {
      ++p;
      spec.precision = 0;
      if (*p == u'*') {
        spec.precision = va_arg(args, int);
        ++p;
      } else {
        while (*p >= u'0' && *p <= u'9') spec.precision = spec.precision * 10 + (*p++ - u'0');
      }
    }
    if (*p == u'h') spec.size = -1, ++p;
    else if (*p == u'l' && p[1] == u'l') spec.size = 2, p += 2;
    else if (*p == u'l') ++p;  // long is 32 bits on the handheld
    else if (*p == u'I' && p[1] == u'6' && p[2] == u'4') spec.size = 2, p += 3;
    if (spec.left) spec.zero = false;

    const WCHAR type = *p;
    switch (type) {
      case u'd':
      case u'i': {
        long long value = spec.size == 2 ? va_arg(args, long long) : va_arg(args, int);
        if (spec.size < 0) value = static_cast<short>(value);
        std::u16string body;
        if (value < 0) body = u"-";
        else if (spec.plus) body = u"+";
        else if (spec.space) body = u" ";
        const unsigned long long magnitude =
            value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
        const size_t signLength = body.size();
        body += Digits(magnitude, 10, false, spec.precision);
        if (spec.precision >= 0) spec.zero = false;
        Pad(out, body, spec, signLength);
        break;
      }
      case u'u':
      case u'x':
      case u'X':
      case u'o': {
        unsigned long long value = spec.size == 2 ? va_arg(args, unsigned long long) : va_arg(args, unsigned int);
        if (spec.size < 0) value = static_cast<unsigned short>(value);
        const unsigned base = type == u'u' ? 10 : type == u'o' ? 8 : 16;
        std::u16string body;
        if (spec.alternate && value && base == 16) body = type == u'X' ? u"0X" : u"0x";
        if (spec.alternate && base == 8) body = u"0";
        const size_t prefixLength = base == 16 ? body.size() : 0;
        body += Digits(value, base, type == u'X', spec.precision);
        if (spec.precision >= 0) spec.zero = false;
        Pad(out, body, spec, prefixLength);
        break;
      }
      case u'c':
      case u'C': {
        // Characters travel as int through the variable arguments.
        const WCHAR ch = static_cast<WCHAR>(va_arg(args, int));
        Pad(out, std::u16string(1, ch), spec, 0);
        break;
      }
      case u's':
      case u'S': {
        std::u16string body;
        if (type == u's') {
          const WCHAR* text = va_arg(args, const WCHAR*);
          body = text ? text : u"(null)";
        } else {
          const char* text = va_arg(args, const char*);
          for (const char* c = text ? text : "(null)"; *c; ++c) body += static_cast<char16_t>(static_cast<unsigned char>(*c));
        }
        if (spec.precision >= 0 && body.size() > static_cast<size_t>(spec.precision)) body.resize(spec.precision);
        spec.zero = false;
        Pad(out, body, spec, 0);
        break;
      }
      default:
        // Not a conversion this system knows: keep the text as written.
        out.append(start, static_cast<size_t>(p - start) + (*p ? 1 : 0));
        break;
    }
    if (!*p) break;
  }
  return out;
}

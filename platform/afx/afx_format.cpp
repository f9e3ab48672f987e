// CString::Format's conversions: the system's printf family over UTF-16 text.
#include <string>

#include "platform/afx/kp_afx_format.h"

namespace {

// One conversion of a format string ("%-08.3ld"): its flags, width, precision and size.
struct FormatConversion {
  bool left = false, plus = false, space = false, zero = false, alternate = false;
  int width = 0;
  int precision = -1;
  int size = 0;  // -1 h, 0 default, 2 64-bit
};

void Pad(std::u16string& out, const std::u16string& body, const FormatConversion& conversion, size_t signLength) {
  const size_t width = conversion.width > 0 ? static_cast<size_t>(conversion.width) : 0;
  if (body.size() >= width) {
    out += body;
  } else if (conversion.left) {
    out += body;
    out.append(width - body.size(), u' ');
  } else if (conversion.zero) {
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
    FormatConversion conversion;
    for (;; ++p) {
      if (*p == u'-') conversion.left = true;
      else if (*p == u'+') conversion.plus = true;
      else if (*p == u' ') conversion.space = true;
      else if (*p == u'0') conversion.zero = true;
      else if (*p == u'#') conversion.alternate = true;
      else break;
    }
    if (*p == u'*') {
      conversion.width = va_arg(args, int);
      if (conversion.width < 0) conversion.left = true, conversion.width = -conversion.width;
      ++p;
    } else {
      while (*p >= u'0' && *p <= u'9') conversion.width = conversion.width * 10 + (*p++ - u'0');
    }
    if (*p == u'.') {
      ++p;
      conversion.precision = 0;
      if (*p == u'*') {
        conversion.precision = va_arg(args, int);
        ++p;
      } else {
        while (*p >= u'0' && *p <= u'9') conversion.precision = conversion.precision * 10 + (*p++ - u'0');
      }
    }
    if (*p == u'h') conversion.size = -1, ++p;
    else if (*p == u'l' && p[1] == u'l') conversion.size = 2, p += 2;
    else if (*p == u'l') ++p;  // long is 32 bits on the handheld
    else if (*p == u'I' && p[1] == u'6' && p[2] == u'4') conversion.size = 2, p += 3;
    if (conversion.left) conversion.zero = false;

    const WCHAR type = *p;
    switch (type) {
      case u'd':
      case u'i': {
        long long value = conversion.size == 2 ? va_arg(args, long long) : va_arg(args, int);
        if (conversion.size < 0) value = static_cast<short>(value);
        std::u16string body;
        if (value < 0) body = u"-";
        else if (conversion.plus) body = u"+";
        else if (conversion.space) body = u" ";
        const unsigned long long magnitude =
            value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
        const size_t signLength = body.size();
        body += Digits(magnitude, 10, false, conversion.precision);
        if (conversion.precision >= 0) conversion.zero = false;
        Pad(out, body, conversion, signLength);
        break;
      }
      case u'u':
      case u'x':
      case u'X':
      case u'o': {
        unsigned long long value = conversion.size == 2 ? va_arg(args, unsigned long long) : va_arg(args, unsigned int);
        if (conversion.size < 0) value = static_cast<unsigned short>(value);
        const unsigned base = type == u'u' ? 10 : type == u'o' ? 8 : 16;
        std::u16string body;
        if (conversion.alternate && value && base == 16) body = type == u'X' ? u"0X" : u"0x";
        if (conversion.alternate && base == 8) body = u"0";
        const size_t prefixLength = base == 16 ? body.size() : 0;
        body += Digits(value, base, type == u'X', conversion.precision);
        if (conversion.precision >= 0) conversion.zero = false;
        Pad(out, body, conversion, prefixLength);
        break;
      }
      case u'c':
      case u'C': {
        // Characters travel as int through the variable arguments.
        const WCHAR ch = static_cast<WCHAR>(va_arg(args, int));
        Pad(out, std::u16string(1, ch), conversion, 0);
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
        if (conversion.precision >= 0 && body.size() > static_cast<size_t>(conversion.precision)) body.resize(conversion.precision);
        conversion.zero = false;
        Pad(out, body, conversion, 0);
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

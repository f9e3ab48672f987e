// UTF-16 string functions and the formatter, with the conversions the system's format strings use.
#include "winbase.h"

#include <cstdarg>

namespace {

// The platform's formatter never writes more than this many units, terminator included.
constexpr int kFormatLimit = 1024;

struct FormatSink {
  LPWSTR out;
  int used = 0;
  void Put(WCHAR c) {
    if (used < kFormatLimit - 1) out[used++] = c;
  }
};

// One conversion of a format string ("%-04d"): its flags and width.
struct FormatConversion {
  bool leftAlign = false;
  bool zeroPad = false;
  int width = 0;
};

void PutPadded(FormatSink& sink, const WCHAR* text, int length, const FormatConversion& conversion,
               bool numeric) {
  int pad = conversion.width > length ? conversion.width - length : 0;
  if (!conversion.leftAlign && conversion.zeroPad && numeric) {
    // Zeros go after a sign, as in "-05".
    int start = 0;
    if (length > 0 && text[0] == u'-') {
      sink.Put(u'-');
      start = 1;
    }
    for (int i = 0; i < pad; ++i) sink.Put(u'0');
    for (int i = start; i < length; ++i) sink.Put(text[i]);
    return;
  }
  if (!conversion.leftAlign)
    for (int i = 0; i < pad; ++i) sink.Put(u' ');
  for (int i = 0; i < length; ++i) sink.Put(text[i]);
  if (conversion.leftAlign)
    for (int i = 0; i < pad; ++i) sink.Put(u' ');
}

int FormatUnsigned(WCHAR* digits, unsigned long long value, unsigned base, bool upper) {
  WCHAR reversed[32];
  int n = 0;
  do {
    unsigned d = static_cast<unsigned>(value % base);
    reversed[n++] = static_cast<WCHAR>(d < 10 ? u'0' + d : (upper ? u'A' : u'a') + d - 10);
    value /= base;
  } while (value != 0);
  for (int i = 0; i < n; ++i) digits[i] = reversed[n - 1 - i];
  return n;
}

}  // namespace

int wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args) {
  FormatSink sink{buffer};
  for (const WCHAR* p = format; *p; ++p) {
    if (*p != u'%') {
      sink.Put(*p);
      continue;
    }
    const WCHAR* start = p++;
    FormatConversion conversion;
    for (;; ++p) {
      if (*p == u'-') conversion.leftAlign = true;
      else if (*p == u'0') conversion.zeroPad = true;
      else break;
    }
    while (*p >= u'0' && *p <= u'9') conversion.width = conversion.width * 10 + (*p++ - u'0');
    bool longArg = false;
    while (*p == u'l' || *p == u'h') longArg |= (*p++ == u'l');
    WCHAR digits[40];
    switch (*p) {
      case u'd':
      case u'i': {
        long long v = longArg ? va_arg(args, long) : va_arg(args, int);
        int n = 0;
        unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v) : v;
        if (v < 0) digits[n++] = u'-';
        n += FormatUnsigned(digits + n, magnitude, 10, false);
        PutPadded(sink, digits, n, conversion, true);
        break;
      }
      case u'u':
      case u'x':
      case u'X': {
        unsigned long long v = longArg ? va_arg(args, unsigned long) : va_arg(args, unsigned);
        int n = FormatUnsigned(digits, v, *p == u'u' ? 10 : 16, *p == u'X');
        PutPadded(sink, digits, n, conversion, true);
        break;
      }
      case u's': {
        LPCWSTR s = va_arg(args, LPCWSTR);
        if (!s) s = u"(null)";
        PutPadded(sink, s, lstrlenW(s), conversion, false);
        break;
      }
      case u'c': {
        WCHAR c = static_cast<WCHAR>(va_arg(args, int));
        PutPadded(sink, &c, 1, conversion, false);
        break;
      }
      case u'%':
        sink.Put(u'%');
        break;
      default:
        // An unknown conversion is copied as it stands, so the mistake shows in the output.
        for (const WCHAR* q = start; q <= p && *q; ++q) sink.Put(*q);
        if (!*p) --p;
        break;
    }
  }
  buffer[sink.used] = 0;
  return sink.used;
}

int wsprintfW(LPWSTR buffer, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  int n = wvsprintfW(buffer, format, args);
  va_end(args);
  return n;
}

int lstrlenW(LPCWSTR s) {
  if (!s) return 0;
  int n = 0;
  while (s[n]) ++n;
  return n;
}

LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src) {
  int i = 0;
  do {
    dst[i] = src[i];
  } while (src[i++]);
  return dst;
}

LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int maxUnits) {
  if (maxUnits <= 0) return dst;
  int i = 0;
  for (; i < maxUnits - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

int lstrcmpW(LPCWSTR a, LPCWSTR b) {
  for (;; ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
    if (!*a) return 0;
  }
}

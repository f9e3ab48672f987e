// The input method's side of composition: the strings a window reads with
// ImmGetCompositionStringW while it handles WM_IME_COMPOSITION, and the caret rectangle a window
// reports with ImmSetCompositionWindow, which the desktop window passes on to the desktop's input
// method so that its candidate window opens at the caret.
//
// The composition messages are sent, not posted: the strings they announce are the ones current
// while they are handled.
#include <QGuiApplication>
#include <QInputMethod>
#include <cstring>

#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

struct InputMethodState {
  bool composing = false;
  Window* composingIn = nullptr;
  std::u16string composition;
  std::u16string result;
  Window* caretWindow = nullptr;
  QRect caret;   // client coordinates of caretWindow
};

InputMethodState g_ime;

void EndComposition() {
  Window* target = g_ime.composingIn;
  g_ime.composing = false;
  g_ime.composingIn = nullptr;
  g_ime.composition.clear();
  if (IsLive(target)) SendMessageW(Handle(target), WM_IME_ENDCOMPOSITION, 0, 0);
}

}  // namespace

void InputMethodText(const std::u16string& preedit, const std::u16string& commit) {
  Window* target = KeyTarget();
  // Focus moved away while composing: the old window's composition ends there.
  if (g_ime.composing && g_ime.composingIn != target) EndComposition();
  if (!target) return;
  HWND window = Handle(target);
  if (!g_ime.composing && (!preedit.empty() || !commit.empty())) {
    g_ime.composing = true;
    g_ime.composingIn = target;
    SendMessageW(window, WM_IME_STARTCOMPOSITION, 0, 0);
  }
  if (!commit.empty() && IsLive(target)) {
    g_ime.composition.clear();
    g_ime.result = commit;
    SendMessageW(window, WM_IME_COMPOSITION, commit.back(), GCS_RESULTSTR);
    g_ime.result.clear();
  }
  if (!g_ime.composing) return;
  if (preedit.empty()) {
    EndComposition();
    return;
  }
  g_ime.composition = preedit;
  if (IsLive(target)) SendMessageW(window, WM_IME_COMPOSITION, preedit.back(), GCS_COMPSTR);
}

void CompleteComposition() {
  if (!g_ime.composing) return;
  Window* target = g_ime.composingIn;
  std::u16string pending = g_ime.composition;
  g_ime.composition.clear();
  if (IsLive(target) && !pending.empty()) {
    g_ime.result = pending;
    SendMessageW(Handle(target), WM_IME_COMPOSITION, pending.back(), GCS_RESULTSTR);
    g_ime.result.clear();
  }
  EndComposition();
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QGuiApplication::inputMethod()->reset();
}

QRect InputMethodCaretOnScreen() {
  Window* w = g_ime.caretWindow;
  if (!IsLive(w) || w != FocusWindow() || g_ime.caret.isEmpty()) return QRect();
  return g_ime.caret.translated(ClientOriginOnScreen(w));
}

}  // namespace kpwm

using namespace kpwm;

HIMC ImmGetContext(HWND window) { return FromHandle(window) ? reinterpret_cast<HIMC>(window) : nullptr; }

BOOL ImmReleaseContext(HWND, HIMC context) { return context ? TRUE : FALSE; }

LONG ImmGetCompositionStringW(HIMC context, DWORD index, LPVOID buffer, DWORD bufferBytes) {
  if (!FromHandle(reinterpret_cast<HWND>(context))) return 0;
  const std::u16string* text = index == GCS_COMPSTR ? &g_ime.composition : index == GCS_RESULTSTR ? &g_ime.result : nullptr;
  if (!text) return 0;
  auto bytes = static_cast<DWORD>(text->size() * sizeof(char16_t));
  if (!buffer || bufferBytes == 0) return static_cast<LONG>(bytes);
  DWORD copied = std::min(bytes, bufferBytes & ~1u);
  std::memcpy(buffer, text->data(), copied);
  return static_cast<LONG>(copied);
}

BOOL ImmSetCompositionWindow(HIMC context, COMPOSITIONFORM* form) {
  Window* w = FromHandle(reinterpret_cast<HWND>(context));
  if (!w || !form) return FALSE;
  QRect caret = (form->dwStyle & CFS_RECT)
                    ? QRect(QPoint(form->rcArea.left, form->rcArea.top), QPoint(form->rcArea.right - 1, form->rcArea.bottom - 1))
                    : QRect(form->ptCurrentPos.x, form->ptCurrentPos.y, 1, 1);
  if (w == g_ime.caretWindow && caret == g_ime.caret) return TRUE;
  g_ime.caretWindow = w;
  g_ime.caret = caret;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
  return TRUE;
}

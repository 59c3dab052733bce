// The message primitives under the typed editor layer; only the editor/sci*.h headers call them.
#pragma once

#include <Qsci/qsciscintillabase.h>

// Message, notification and constant names as Scintilla publishes them.
using Sci = QsciScintillaBase;

// Positions and lines as Scintilla counts them (bytes and 0-based lines).
using SciPos = long;
using SciLine = long;

inline long sci_send(QsciScintillaBase* control, unsigned message, unsigned long wparam = 0,
                     long lparam = 0) {
    return control ? control->SendScintilla(message, wparam, lparam) : 0;
}
inline long sci_send_text(QsciScintillaBase* control, unsigned message, unsigned long wparam,
                          const char* text) {
    return control ? control->SendScintilla(message, wparam, text) : 0;
}
inline long sci_send_ptr(QsciScintillaBase* control, unsigned message, unsigned long wparam,
                         void* pointer) {
    return control ? control->SendScintilla(message, wparam, pointer) : 0;
}

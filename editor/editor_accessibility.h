// Accessibility of the editing control that costs nothing while no assistive technology runs.
//
// The editing component's own accessible interface turns the caret's byte position into a
// character offset by counting from the start of the text on every caret move and change, which
// made typing far down a long program lag. While no assistive technology is active the editor
// answers with a plain interface instead; when one becomes active, the plain interfaces are
// dropped so that screen readers get the component's full text interface, and the change
// notifications it needs are switched on.
#pragma once

#include <QAccessible>

class EditorAccessibility : public QAccessible::ActivationObserver {
  public:
    EditorAccessibility();
    ~EditorAccessibility() override;
    EditorAccessibility(const EditorAccessibility&) = delete;
    EditorAccessibility& operator=(const EditorAccessibility&) = delete;

    void accessibilityActiveChanged(bool active) override;

  private:
    bool factory_installed_ = false;
};

// True when `iface` is the plain interface given while no assistive technology is active.
bool is_plain_editor_interface(QAccessibleInterface* iface);

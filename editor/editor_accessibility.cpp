// Accessibility of the editing control that costs nothing while no assistive technology runs.
#include "editor/editor_accessibility.h"

#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QAccessibleWidget>
#include <QApplication>

namespace {

class PlainEditorInterface : public QAccessibleWidget {
  public:
    explicit PlainEditorInterface(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::EditableText) {}
};

QAccessibleInterface* plain_editor_interface(const QString& key, QObject* object) {
    if (key != QLatin1String("EditorWidget") || !object || !object->isWidgetType()) return nullptr;
    return new PlainEditorInterface(static_cast<QWidget*>(object));
}

} // namespace

bool is_plain_editor_interface(QAccessibleInterface* iface) {
    return dynamic_cast<PlainEditorInterface*>(iface) != nullptr;
}

EditorAccessibility::EditorAccessibility() {
    accessibilityActiveChanged(QAccessible::isActive());
    QAccessible::installActivationObserver(this);
}

EditorAccessibility::~EditorAccessibility() {
    QAccessible::removeActivationObserver(this);
    if (factory_installed_) QAccessible::removeFactory(plain_editor_interface);
}

void EditorAccessibility::accessibilityActiveChanged(bool active) {
    if (!active) {
        if (!factory_installed_) QAccessible::installFactory(plain_editor_interface);
        factory_installed_ = true;
        return;
    }
    if (factory_installed_) QAccessible::removeFactory(plain_editor_interface);
    factory_installed_ = false;
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* editor = qobject_cast<EditorWidget*>(widget);
        if (!editor) continue;
        // The next query reaches the editing component's own factory.
        QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(editor);
        if (is_plain_editor_interface(cached))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
        sci_set_mod_event_mask(editor, Sci::SC_MODEVENTMASKALL);
    }
}

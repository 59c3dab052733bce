// The editing control: a Scintilla control that reports right clicks, dropped files and focus
// changes to the program instead of handling them itself.
#pragma once

#include <Qsci/qsciscintillabase.h>

#include <functional>
#include <string>

class QListWidget;

class EditorWidget : public QsciScintillaBase {
    Q_OBJECT
  public:
    explicit EditorWidget(QWidget* parent = nullptr);

    // Right button released over the text: the program shows its own context menu.
    std::function<void(const QPoint& global_pos)> on_context_menu;
    // Files dropped on the editor, as an LF-separated list of local paths.
    std::function<void(const std::string& paths)> on_files_dropped;
    // Return or Enter without modifiers: the program inserts its own line end.
    std::function<void()> on_return;
    // Ctrl+Space: the program offers its completion list.
    std::function<void()> on_complete;

    // The completion list shows no item as chosen until an arrow key picks one, since only a
    // picked item is taken by Return or Tab. Called after the list is shown.
    void show_completion_unpicked();
    // The completion list's popup, or null while none was shown.
    QListWidget* completion_list() const;

    // Input methods ask for the text around the caret on every composition step: they get the
    // caret's line, not the whole paragraph the component would measure.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  signals:
    // The control took or lost the keyboard focus.
    void focus_gained();
    void focus_lost();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Ctrl+wheel zooms the text, as in every editor; the editing component only scrolls.
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // An item of the open completion list was picked with the arrow keys: only then does
    // Return (or Tab) insert it instead of going into the text.
    bool completion_item_picked_ = false;
    int wheel_zoom_rest_ = 0; // Ctrl+wheel turning not yet a whole notch
};

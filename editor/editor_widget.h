// The editing control: a Scintilla control that reports its events to the program as signals,
// right clicks, dropped files, Return and Ctrl+Space included, instead of handling them itself.
#pragma once

#include <Qsci/qsciscintillabase.h>

#include <string>
#include <string_view>

class QListWidget;

class EditorWidget : public QsciScintillaBase {
    Q_OBJECT
  public:
    explicit EditorWidget(QWidget* parent = nullptr);

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
    // Right button released over the text: the program shows its own context menu.
    void context_menu_wanted(const QPoint& global_pos);
    // Files dropped on the editor, as an LF-separated list of local paths.
    void files_dropped(const std::string& paths);
    // Return or Enter without modifiers: while this is connected, the program inserts its own
    // line end and the control inserts none.
    void return_pressed();
    // Ctrl+Space: while this is connected, the program offers its completion list.
    void completion_wanted();
    // The caret, the selection, the text or its styles changed (SC_UPDATE_* bits): sent once
    // per change, after the control fitted its margins and before it paints.
    void ui_updated(int updated);
    // The text may have changed (or its styles or markers); sent just before ui_updated.
    void content_changed();
    // A character was typed; it is in the text already.
    void char_added(int ch);
    // A SUB, FUNCTION or label name found while colouring (8-bit text).
    void name_learnt(std::string_view name);

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

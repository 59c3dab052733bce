// Shows a TerminalScreen: the scrollback above, the screen below, the cursor; keys typed go
// out as the bytes the board's console decodes. The screen is sized to the view; the wheel and
// Shift+PgUp/PgDn scroll back. Lines are selected with the mouse and copied.
#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>

#include <cstdint>
#include <functional>

class TerminalScreen;

class TerminalView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    TerminalView(TerminalScreen& screen, QWidget* parent);

    // Called with the bytes of each key typed.
    std::function<void(const QByteArray&)> on_bytes;
    // Called with the columns and rows that fill the view, whenever they change.
    std::function<void(int columns, int rows)> on_size;

    // Takes in what changed on the screen; follows the end unless the user scrolled up.
    void refresh();
    // The selected lines, or everything kept when nothing is selected, as UTF-8 text.
    QString selected_text() const;
    void copy() const;
    void clear_selection();
    int visible_rows() const;
    int visible_columns() const;
    // Tells on_size the view's size again (the panel was shown).
    void report_size();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    long line_at(int y) const;
    void update_scroll_range(bool follow);

    TerminalScreen& screen_;
    int char_width_ = 8;
    int line_height_ = 16;
    int ascent_ = 12;
    long selection_anchor_ = -1;
    long selection_end_ = -1;
    std::uint64_t shown_version_ = 0;
};

// The bytes a key sends to the board: text as 8-bit characters, Ctrl+letter as its control
// character, Return as CR, cursor, editing and function keys as the sequences the board decodes
// (ESC[A..D, ESC[1~..6~, ESC[11~..24~). Empty for keys that send nothing.
QByteArray key_bytes(int key, Qt::KeyboardModifiers modifiers, const QString& text);

// The find bar below the editor: find and replace texts with their recent entries, the search
// options, and a note line for "not found", wrapping and errors.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class FindBar : public QWidget {
    Q_OBJECT
  public:
    explicit FindBar(QWidget* parent);

    QComboBox* find_box = nullptr;
    QComboBox* replace_box = nullptr;
    QCheckBox* match_case = nullptr;
    QCheckBox* whole_word = nullptr;
    QCheckBox* regular_expression = nullptr;
    QCheckBox* backwards = nullptr;
    QCheckBox* wrap_around = nullptr;
    QCheckBox* in_selection = nullptr;
    QPushButton* replace_button = nullptr;
    QPushButton* replace_all_button = nullptr;
    QLabel* note = nullptr;

    // Enter and Shift+Enter in the find text, Escape anywhere in the bar.
    std::function<void(bool backwards)> on_find;
    std::function<void()> on_close;

    std::string find_text() const;
    std::string replace_text() const;
    void show_replace(bool shown);
    void set_note(const std::string& text, bool is_error = false);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* replace_label_ = nullptr;
};

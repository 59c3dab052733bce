// The preferences window: the colour scheme edited on a live preview, the intro text, and the
// exit and start-up options. Colours are edited on a working copy; "Save" commits them and
// closing the window applies the committed scheme to the editor.
#pragma once

#include "tools/preferences_model.h"

#include <QFrame>
#include <QWidget>

#include <functional>

struct Workspace;
class QCheckBox;
class QSpinBox;
class QLabel;
class QPushButton;
class QTabWidget;

// The preview of the working colours; a click asks which colour to edit.
class ColourPreview : public QFrame {
    Q_OBJECT
  public:
    ColourPreview(const ColourScheme& scheme, QWidget* parent);
    std::function<void(int x, int y)> on_click;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const ColourScheme& scheme_;
};

class PreferencesWindow : public QWidget {
    Q_OBJECT
  public:
    PreferencesWindow(Workspace& ws, QWidget* owner);

    ColourScheme working; // the colours being edited
    QTabWidget* panels = nullptr;
    QLabel* caption = nullptr;
    ColourPreview* preview = nullptr;
    QPushButton* save_colours_button = nullptr;
    QPushButton* default_button = nullptr;
    QPushButton* cancel_button = nullptr;
    QPushButton* save_intro_button = nullptr;
    QCheckBox* confirm_exit = nullptr;
    QCheckBox* open_blank = nullptr;
    QSpinBox* tab_size = nullptr; // spaces per level of Format
    QPushButton* save_options_button = nullptr;

    // A click on the preview at (x, y): the colour chooser for the item there.
    void preview_clicked(int x, int y);
  signals:
    // The window closes (it is deleted afterwards).
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    Workspace& ws_;
};

// "Preferences": opens the window, or brings `shown` to the front when it is open; `shown`
// points to the open window and is cleared when it closes.
void open_preferences(Workspace& ws, PreferencesWindow*& shown);

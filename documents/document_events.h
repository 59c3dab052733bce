// What the documents tell the rest of the program, and what they ask of the window, as
// signals: any number of subsystems may listen, and nobody listening is fine.
#pragma once

#include <QObject>

class DocumentEvents : public QObject {
    Q_OBJECT
  public:
    // Whether anything draws the program's outline when asked (the analysis, once installed):
    // the label list's "Outline" choice shows it instead of the names only then.
    bool outline_drawn() const;

  signals:
    // A document was made for a path (opened, recovered or new), once its tab is there.
    void created(int index);
    // Save or Save As wrote the document to its file.
    void saved(int index);
    // The label list is to show the program's outline.
    void outline_wanted();
    // The recent files changed: the menu items showing them follow.
    void recent_files_changed();
    // A text was loaded into the editor: every view option is applied to it again.
    void view_options_wanted();
    // The shown document's line end may have changed: Return and the status bar follow it.
    void line_end_changed();
};

// Find Sub/Function: a small chooser of the current document's SUBs, FUNCTIONs and labels with
// their lines, filtered as the user types; Enter or a click jumps there, Escape closes it.
#pragma once

#include "documents/name_scan.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLineEdit;
class QListWidget;

class NameChooser : public QDialog {
    Q_OBJECT
  public:
    explicit NameChooser(QWidget* parent);

    QLineEdit* filter = nullptr;
    QListWidget* list = nullptr;
    std::function<void(long line)> on_chosen;

    // Shows `names` unfiltered and gives the filter the focus.
    void show_names(std::vector<NamedLine> names);
    // Refills the list for the filter text, best match selected.
    void apply_filter();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void choose_current();
    std::vector<NamedLine> names_;
};

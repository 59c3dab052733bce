// The Board files panel: the board's current folder (drive switch, folders first, names, sizes,
// dates, ".." to go back), buttons for upload, download, delete, rename and new folder, and a
// status line that says why the list is empty or how much space is free. Files dropped on it
// from the desktop are uploaded.
#pragma once

#include "boardfiles/board_listing.h"

#include <QWidget>

#include <string>
#include <vector>

class BoardFiles;
struct BoardIdentity;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class BoardFilesPanel : public QWidget {
    Q_OBJECT
  public:
    BoardFilesPanel(BoardFiles& files, QWidget* parent);

    void show_listing(const BoardListing& listing, const std::string& status,
                      const BoardIdentity& identity);
    void set_busy(bool busy);
    // The selected entries (".." left out).
    std::vector<BoardEntry> selected() const;
    QTreeWidget* list() const { return list_; }

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void activated(QTreeWidgetItem* item);
    void download_selected();
    void upload_chosen();

    BoardFiles& files_;
    BoardListing listing_;
    QComboBox* drive_ = nullptr;
    QLabel* folder_ = nullptr;
    QLabel* identity_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

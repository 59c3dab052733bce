// The Board files panel's widgets and what its buttons do.
#include "boardfiles/board_files_panel.h"

#include "base/folders.h"
#include "boardfiles/board_files.h"
#include "ui/requesters.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int entry_role = Qt::UserRole;
constexpr int up_index = -1;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

BoardFilesPanel::BoardFilesPanel(BoardFiles& files, QWidget* parent)
    : QWidget(parent), files_(files) {
    setObjectName(QStringLiteral("board_files_panel"));
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* top = new QHBoxLayout;
    drive_ = new QComboBox(this);
    drive_->setObjectName(QStringLiteral("board_drive"));
    drive_->addItems({QStringLiteral("A:"), QStringLiteral("B:")});
    folder_ = new QLabel(this);
    folder_->setObjectName(QStringLiteral("board_folder"));
    auto* refresh = new QPushButton(QStringLiteral("Refresh"), this);
    refresh->setObjectName(QStringLiteral("board_refresh"));
    top->addWidget(drive_);
    top->addWidget(folder_, 1);
    top->addWidget(refresh);
    layout->addLayout(top);
    identity_ = new QLabel(this);
    identity_->setObjectName(QStringLiteral("board_panel_identity"));
    layout->addWidget(identity_);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("board_files_list"));
    list_->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Date")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    layout->addWidget(list_, 1);
    // Three buttons a row, so the panel fits the label list's column.
    auto* row = new QGridLayout;
    auto add = [&](const char* name, const char* text, auto handler) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QString::fromUtf8(name));
        connect(button, &QPushButton::clicked, this, handler);
        const int at = static_cast<int>(buttons_.size());
        row->addWidget(button, at / 3, at % 3);
        buttons_.push_back(button);
    };
    add("board_upload", "Upload", [this] { upload_chosen(); });
    add("board_open", "Open", [this] {
        for (const BoardEntry& entry : selected())
            if (!entry.folder) return files_.open_in_tab(entry);
    });
    add("board_download", "Download", [this] { download_selected(); });
    add("board_delete", "Delete", [this] { files_.remove(selected()); });
    add("board_rename", "Rename", [this] {
        std::vector<BoardEntry> chosen = selected();
        if (chosen.size() == 1) files_.rename(chosen.front());
    });
    add("board_new_folder", "New folder", [this] { files_.new_folder(); });
    layout->addLayout(row);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("board_files_status"));
    status_->setWordWrap(true);
    layout->addWidget(status_);
    buttons_.push_back(refresh);
    connect(refresh, &QPushButton::clicked, this, [this] { files_.refresh(true); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { activated(item); });
    connect(drive_, &QComboBox::activated, this, [this](int index) {
        char letter = index == 0 ? 'A' : 'B';
        if (letter != listing_drive(listing_.folder)) files_.switch_drive(letter);
    });
}

void BoardFilesPanel::show_listing(const BoardListing& listing, const std::string& status,
                                   const BoardIdentity& identity) {
    listing_ = listing;
    list_->clear();
    folder_->setText(q(listing.folder));
    char drive = listing_drive(listing.folder);
    if (drive != 0) drive_->setCurrentIndex(drive == 'B' ? 1 : 0);
    identity_->setText(identity.known ? q(identity.device + " " + identity.version) : QString());
    identity_->setVisible(identity.known);
    status_->setText(q(status));
    if (listing.folder.empty()) return;
    bool root = listing.folder.size() <= 3;
    if (!root) {
        auto* up = new QTreeWidgetItem(list_, {QStringLiteral(".."), QString(), QString()});
        up->setData(0, entry_role, up_index);
    }
    for (std::size_t i = 0; i < listing.entries.size(); ++i) {
        const BoardEntry& entry = listing.entries[i];
        QString name =
            QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
        QString size = entry.folder ? QStringLiteral("<DIR>") : QString::number(entry.size);
        QString date = entry.folder ? QString() : q(entry.date + " " + entry.time);
        auto* item = new QTreeWidgetItem(list_, {entry.folder ? name + "/" : name, size, date});
        item->setData(0, entry_role, static_cast<int>(i));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void BoardFilesPanel::set_busy(bool busy) {
    for (QPushButton* button : buttons_) button->setEnabled(!busy);
    drive_->setEnabled(!busy);
}

std::vector<BoardEntry> BoardFilesPanel::selected() const {
    std::vector<BoardEntry> entries;
    for (QTreeWidgetItem* item : list_->selectedItems()) {
        int index = item->data(0, entry_role).toInt();
        if (index >= 0 && static_cast<std::size_t>(index) < listing_.entries.size())
            entries.push_back(listing_.entries[static_cast<std::size_t>(index)]);
    }
    return entries;
}

void BoardFilesPanel::activated(QTreeWidgetItem* item) {
    int index = item->data(0, entry_role).toInt();
    if (index == up_index) return files_.open_folder("..");
    if (index < 0 || static_cast<std::size_t>(index) >= listing_.entries.size()) return;
    const BoardEntry& entry = listing_.entries[static_cast<std::size_t>(index)];
    if (entry.folder)
        files_.open_folder(entry.name);
    else
        files_.open_in_tab(entry);
}

void BoardFilesPanel::upload_chosen() {
    const BoardFilesContext& context = files_.context();
    std::string path = context.requesters.open_file("Upload to the board", context.folders.current,
                                                    "All files (*)|*");
    if (!path.empty()) files_.upload({path});
}

void BoardFilesPanel::download_selected() {
    std::vector<BoardEntry> chosen = selected();
    if (chosen.empty()) return;
    const BoardFilesContext& context = files_.context();
    // The requester names the first file; the others go into the same folder.
    std::string path = context.requesters.save_file("Download from the board",
                                                    context.folders.current + chosen.front().name,
                                                    "All files (*)|*");
    if (path.empty()) return;
    std::size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    files_.download(chosen, folder, chosen.size() == 1 ? path : std::string());
}

void BoardFilesPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void BoardFilesPanel::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    if (paths.empty()) return;
    event->acceptProposedAction();
    files_.upload(paths);
}

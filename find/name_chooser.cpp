// The Find Sub/Function chooser: the names with their lines, filtered as the user types.
#include "find/name_chooser.h"

#include "find/name_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

NameChooser::NameChooser(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("name_chooser"));
    setWindowTitle(QStringLiteral("Find Sub/Function"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    filter = new QLineEdit(this);
    filter->setObjectName(QStringLiteral("name_filter"));
    filter->setPlaceholderText(QStringLiteral("Type letters of a name"));
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("name_list"));
    list->setUniformItemSizes(true);
    layout->addWidget(filter);
    layout->addWidget(list);
    resize(360, 420);
    filter->installEventFilter(this);
    connect(filter, &QLineEdit::textChanged, this, [this]() { apply_filter(); });
    connect(list, &QListWidget::itemClicked, this, [this]() { choose_current(); });
    connect(list, &QListWidget::itemActivated, this, [this]() { choose_current(); });
}

void NameChooser::show_names(std::vector<NamedLine> names) {
    names_ = std::move(names);
    filter->clear();
    apply_filter();
    show();
    raise();
    activateWindow();
    filter->setFocus();
}

void NameChooser::apply_filter() {
    std::string query = filter->text().toLatin1().toStdString();
    list->setUpdatesEnabled(false);
    list->clear();
    for (std::size_t index : filter_names(names_, query)) {
        const NamedLine& entry = names_[index];
        auto* item = new QListWidgetItem(
            QString::fromLatin1(entry.name.data(), qsizetype(entry.name.size())) +
            QStringLiteral("   (line %1)").arg(entry.line + 1));
        item->setData(Qt::UserRole, qlonglong(entry.line));
        list->addItem(item);
    }
    if (list->count() > 0) list->setCurrentRow(0);
    list->setUpdatesEnabled(true);
}

void NameChooser::choose_current() {
    QListWidgetItem* item = list->currentItem();
    if (!item) return;
    long line = long(item->data(Qt::UserRole).toLongLong());
    hide();
    if (on_chosen) on_chosen(line);
}

bool NameChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The arrows move through the list while the letters keep going to the filter.
            QCoreApplication::sendEvent(list, event);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose_current();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

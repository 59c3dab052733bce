// The Error Log window.
#include "device/error_log.h"

#include "device/device_session.h"

#include <QDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void fill(QListWidget* list, const std::vector<DeviceError>& errors) {
    list->clear();
    for (const DeviceError& error : errors) {
        QString file = QFileInfo(QString::fromStdString(error.file)).fileName();
        list->addItem(QStringLiteral("%1  %2  line %3: %4")
                          .arg(QString::fromStdString(error.time), file)
                          .arg(error.line)
                          .arg(QString::fromStdString(error.message)));
    }
    if (list->count() > 0) list->setCurrentRow(list->count() - 1);
}

QDialog* find_window(const DeviceSession& session) {
    QWidget* parent = session.context().window;
    if (!parent) return nullptr;
    return parent->findChild<QDialog*>(QStringLiteral("error_log"), Qt::FindDirectChildrenOnly);
}

} // namespace

void show_error_log(DeviceSession& session) {
    if (!session.context().window) return;
    QDialog* window = find_window(session);
    if (!window) {
        window = new QDialog(session.context().window);
        window->setObjectName(QStringLiteral("error_log"));
        window->setWindowTitle(QStringLiteral("Error Log"));
        window->resize(560, 260);
        auto* column = new QVBoxLayout(window);
        auto* list = new QListWidget(window);
        list->setObjectName(QStringLiteral("error_log_list"));
        column->addWidget(list);
        auto* close = new QPushButton(QStringLiteral("Close"), window);
        column->addWidget(close, 0, Qt::AlignRight);
        QObject::connect(close, &QPushButton::clicked, window, &QDialog::close);
        QObject::connect(list, &QListWidget::itemActivated, window,
                         [&session, list](QListWidgetItem*) {
                             session.jump_to_error(static_cast<std::size_t>(list->currentRow()));
                         });
        QObject::connect(list, &QListWidget::itemClicked, window,
                         [&session, list](QListWidgetItem*) {
                             session.jump_to_error(static_cast<std::size_t>(list->currentRow()));
                         });
        session.on_errors_changed = [&session]() {
            if (QListWidget* open = error_log_list(session)) fill(open, session.errors());
        };
    }
    fill(window->findChild<QListWidget*>(QStringLiteral("error_log_list")), session.errors());
    window->show();
    window->raise();
}

QListWidget* error_log_list(const DeviceSession& session) {
    QDialog* window = find_window(session);
    return window ? window->findChild<QListWidget*>(QStringLiteral("error_log_list")) : nullptr;
}

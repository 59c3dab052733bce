// The Error Log window.
#include "device/error_log.h"

#include "app/app.h"
#include "app/main_window.h"
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

QDialog* find_window(App& app) {
    if (!app.window) return nullptr;
    return app.window->findChild<QDialog*>(QStringLiteral("error_log"), Qt::FindDirectChildrenOnly);
}

} // namespace

void show_error_log(App& app) {
    if (!app.window) return;
    DeviceSession& session = device_session(app);
    QDialog* window = find_window(app);
    if (!window) {
        window = new QDialog(app.window.get());
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
        QObject::connect(list, &QListWidget::itemActivated, window, [&app, list](QListWidgetItem*) {
            device_session(app).jump_to_error(static_cast<std::size_t>(list->currentRow()));
        });
        QObject::connect(list, &QListWidget::itemClicked, window, [&app, list](QListWidgetItem*) {
            device_session(app).jump_to_error(static_cast<std::size_t>(list->currentRow()));
        });
        session.on_errors_changed = [&app]() {
            if (QListWidget* open = error_log_list(app)) fill(open, device_session(app).errors());
        };
    }
    fill(window->findChild<QListWidget*>(QStringLiteral("error_log_list")), session.errors());
    window->show();
    window->raise();
}

QListWidget* error_log_list(App& app) {
    QDialog* window = find_window(app);
    return window ? window->findChild<QListWidget*>(QStringLiteral("error_log_list")) : nullptr;
}

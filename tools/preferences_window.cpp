#include "tools/preferences_window.h"

#include "documents/saving.h"
#include "documents/workspace.h"
#include "editor/editor_config.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "ui/screen_fit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

namespace {

// Wider indentation than this makes no sense for a program on a board's screen.
constexpr int max_tab_size = 16;

QColor to_qcolor(Colour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QPushButton* button(QWidget* panel, const char* text, int x, int y) {
    auto* b = new QPushButton(QString::fromLatin1(text), panel);
    b->setGeometry(x, y, 60, 24);
    return b;
}

// A stored placement that is off every screen, or of a useless size, comes back usable.
QRect usable_placement(const Placement& placement) {
    const Placement built_in = Settings{}.prefs;
    return fit_on_screen(placement.x, placement.y, std::clamp(placement.width, 200, 4000),
                         std::clamp(placement.height, 150, 4000),
                         QSize(built_in.width, built_in.height));
}

} // namespace

ColourPreview::ColourPreview(const ColourScheme& scheme, QWidget* parent)
    : QFrame(parent), scheme_(scheme) {
    setFrameShape(QFrame::Box);
    setObjectName(QStringLiteral("colour_preview"));
}

void ColourPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    auto colour = [&](ColourItem item) { return to_qcolor(scheme_[static_cast<int>(item)]); };
    painter.fillRect(1, 1, 70, 320, colour(ColourItem::Margin));
    painter.fillRect(71, 1, 279, 320, colour(ColourItem::DefaultBack));
    painter.fillRect(71, 241, 279, 40, colour(ColourItem::CaretBack));
    QFont font(QStringLiteral("Courier"), 8, QFont::Bold);
    font.setStyleHint(QFont::TypeWriter);
    painter.setFont(font);
    QFontMetrics metrics(font);
    for (const PreviewText& text : preview_texts()) {
        QString shown = QString::fromLatin1(text.text);
        QRect box(text.x, text.y, metrics.horizontalAdvance(shown), metrics.height());
        painter.fillRect(box, colour(text.back));
        painter.setPen(text.fore ? colour(*text.fore) : QColor(Qt::black));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, shown);
    }
}

void ColourPreview::mousePressEvent(QMouseEvent* event) {
    if (on_click) on_click(event->position().toPoint().x(), event->position().toPoint().y());
}

PreferencesWindow::PreferencesWindow(Workspace& ws, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      working(ws.settings.colours), ws_(ws) {
    setObjectName(QStringLiteral("preferences_window"));
    setWindowTitle(QStringLiteral("Zell Edit Settings"));
    setAttribute(Qt::WA_DeleteOnClose);

    panels = new QTabWidget(this);
    panels->setObjectName(QStringLiteral("preferences_panels"));
    panels->setGeometry(8, 8, 500, 420);
    auto* colours = new QWidget;
    auto* files = new QWidget;
    auto* preferences = new QWidget;
    auto* maximite = new QWidget;
    panels->addTab(colours, QStringLiteral("Colours"));
    panels->addTab(files, QStringLiteral("Files/Folders"));
    panels->addTab(preferences, QStringLiteral("Preferences"));
    panels->addTab(maximite, QStringLiteral("Maximite"));

    caption = new QLabel(QString::fromLatin1(preview_caption), colours);
    caption->setGeometry(5, 5, 350, 30);
    QFont caption_font(QStringLiteral("Arial"), 16);
    caption->setFont(caption_font);
    preview = new ColourPreview(working, colours);
    preview->setGeometry(5, 50, 350, 320);
    preview->on_click = [this](int x, int y) { preview_clicked(x, y); };
    save_colours_button = button(colours, "Save", 380, 287);
    default_button = button(colours, "Default", 380, 317);
    cancel_button = button(colours, "Cancel", 380, 347);
    connect(save_colours_button, &QPushButton::clicked, this, [this]() {
        ws_.settings.colours = working;
        preview->update();
    });
    connect(default_button, &QPushButton::clicked, this, [this]() {
        working = default_colour_scheme();
        preview->update();
    });
    connect(cancel_button, &QPushButton::clicked, this, [this]() {
        working = ws_.settings.colours;
        preview->update();
    });

    save_intro_button = new QPushButton(QStringLiteral("Save Intro"), files);
    save_intro_button->setGeometry(10, 15, 80, 24);
    save_intro_button->setToolTip(QStringLiteral("Save current file as header for new files."));
    connect(save_intro_button, &QPushButton::clicked, this, [this]() { save_intro_text(ws_); });

    confirm_exit = new QCheckBox(QStringLiteral("Confirm before Exit"), preferences);
    confirm_exit->setGeometry(5, 5, 200, 25);
    confirm_exit->setChecked(ws.settings.confirm_before_exit == 1);
    open_blank = new QCheckBox(QStringLiteral("Open with a blank file"), preferences);
    open_blank->setGeometry(5, 30, 200, 25);
    open_blank->setChecked(ws.settings.open_blank_file == 1);
    auto* tab_size_label =
        new QLabel(QStringLiteral("Format: spaces per indent level"), preferences);
    tab_size_label->setGeometry(5, 60, 200, 25);
    tab_size = new QSpinBox(preferences);
    tab_size->setObjectName(QStringLiteral("tab_size"));
    tab_size->setGeometry(210, 60, 60, 25);
    tab_size->setRange(0, max_tab_size);
    tab_size->setValue(std::clamp(ws.settings.options.tab_size, 0, max_tab_size));
    tab_size_label->setBuddy(tab_size);
    save_options_button = button(preferences, "Save", 380, 287);
    connect(save_options_button, &QPushButton::clicked, this, [this]() {
        ws_.settings.confirm_before_exit = confirm_exit->isChecked() ? 1 : 0;
        ws_.settings.open_blank_file = open_blank->isChecked() ? 1 : 0;
        ws_.settings.options.tab_size = tab_size->value();
    });

    const Placement& placement = ws.settings.prefs;
    panels->setCurrentIndex(
        placement.extra >= 0 && placement.extra < panels->count() ? placement.extra : 0);
    // The panels' controls need this much room; a smaller stored size would hide buttons.
    setMinimumSize(470, 440);
    QRect at = usable_placement(placement);
    resize(at.size());
    move(at.topLeft());
}

void PreferencesWindow::preview_clicked(int x, int y) {
    std::optional<PreviewTarget> target = preview_click_target(x, y);
    if (!target) return;
    caption->setText(QString::fromStdString(target->caption));
    if (target->focus_save_first) save_colours_button->setFocus();
    Colour& field = working[static_cast<int>(target->item)];
    if (std::optional<std::uint32_t> chosen = ws_.requesters->choose_colour(target->caption, field))
        field = *chosen;
    preview->update();
    caption->setText(QString::fromLatin1(preview_caption));
}

void PreferencesWindow::closeEvent(QCloseEvent* event) {
    Placement& placement = ws_.settings.prefs;
    placement.x = pos().x();
    placement.y = pos().y();
    placement.width = width();
    placement.height = height();
    placement.extra = panels->currentIndex();
    Q_EMIT closed();
    event->accept();
    // Only committed colours reach the editor, and only now.
    apply_colour_scheme(*ws_.editor_record, ws_.editor, ws_.settings);
}

void PreferencesWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    panels->setGeometry(8, 8, std::max(width() - 16, 1), std::max(height() - 16, 1));
}

void open_preferences(Workspace& ws, PreferencesWindow*& shown) {
    if (!ws.main_window) return;
    if (!shown) {
        shown = new PreferencesWindow(ws, ws.main_window);
        QObject::connect(shown, &PreferencesWindow::closed, shown, [&shown]() { shown = nullptr; });
        shown->show();
    }
    shown->raise();
    shown->activateWindow();
}

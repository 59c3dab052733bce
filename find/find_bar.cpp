#include "find/find_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QComboBox* history_box(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    // Entries are remembered by the find logic; the box must not add one on every Enter.
    box->setInsertPolicy(QComboBox::NoInsert);
    // Completing from the history while typing would search for a word the user never typed;
    // the history stays in the drop-down.
    box->setCompleter(nullptr);
    box->setMaxCount(20);
    box->setMinimumContentsLength(16);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QCheckBox* option_box(QWidget* parent, const char* text, const char* tip, const char* name) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setToolTip(QString::fromLatin1(tip));
    box->setObjectName(QString::fromLatin1(name));
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

} // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("find_bar"));
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);

    find_box = history_box(this, "find_text");
    replace_box = history_box(this, "replace_text");
    auto* next = new QPushButton(QStringLiteral("Find next"), this);
    next->setObjectName(QStringLiteral("find_next"));
    auto* previous = new QPushButton(QStringLiteral("Previous"), this);
    previous->setObjectName(QStringLiteral("find_previous"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("find_close"));
    replace_button = new QPushButton(QStringLiteral("Replace"), this);
    replace_button->setObjectName(QStringLiteral("replace"));
    replace_all_button = new QPushButton(QStringLiteral("Replace All"), this);
    replace_all_button->setObjectName(QStringLiteral("replace_all"));
    for (QPushButton* button : {next, previous, close, replace_button, replace_all_button}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
    }

    match_case = option_box(this, "Case", "Match case", "match_case");
    whole_word = option_box(this, "Word", "Whole words only", "whole_word");
    regular_expression = option_box(this, "Regex", "Regular expression ($1, $& in the replacement)",
                                    "regular_expression");
    backwards = option_box(this, "Up", "Search backwards, towards the start", "backwards");
    wrap_around = option_box(this, "Wrap", "Wrap around the end", "wrap_around");
    wrap_around->setChecked(true);
    in_selection = option_box(this, "Selection", "Only in the selected text", "in_selection");
    note = new QLabel(this);
    note->setObjectName(QStringLiteral("find_note"));

    grid->addWidget(new QLabel(QStringLiteral("Find:"), this), 0, 0);
    grid->addWidget(find_box, 0, 1);
    grid->addWidget(next, 0, 2);
    grid->addWidget(previous, 0, 3);
    auto* options = new QHBoxLayout;
    for (QCheckBox* box :
         {match_case, whole_word, regular_expression, backwards, wrap_around, in_selection})
        options->addWidget(box);
    options->addStretch(1);
    grid->addLayout(options, 0, 4);
    grid->addWidget(close, 0, 5);

    replace_label_ = new QLabel(QStringLiteral("Replace:"), this);
    grid->addWidget(replace_label_, 1, 0);
    grid->addWidget(replace_box, 1, 1);
    grid->addWidget(replace_button, 1, 2);
    grid->addWidget(replace_all_button, 1, 3);
    grid->addWidget(note, 1, 4, 1, 2);
    grid->setColumnStretch(4, 1);

    find_box->lineEdit()->installEventFilter(this);
    replace_box->lineEdit()->installEventFilter(this);
    connect(next, &QPushButton::clicked, this, [this]() {
        if (on_find) on_find(false);
    });
    connect(previous, &QPushButton::clicked, this, [this]() {
        if (on_find) on_find(true);
    });
    connect(close, &QPushButton::clicked, this, [this]() {
        if (on_close) on_close();
    });
}

std::string FindBar::find_text() const {
    return find_box->currentText().toStdString();
}

std::string FindBar::replace_text() const {
    return replace_box->currentText().toStdString();
}

void FindBar::show_replace(bool shown) {
    replace_box->setVisible(shown);
    replace_button->setVisible(shown);
    replace_all_button->setVisible(shown);
    replace_label_->setVisible(shown);
}

void FindBar::set_note(const std::string& text, bool is_error) {
    note->setText(QString::fromStdString(text));
    note->setStyleSheet(is_error ? QStringLiteral("color: #b00000") : QString());
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (on_find) on_find((key->modifiers() & Qt::ShiftModifier) != 0);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            if (on_close) on_close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && on_close) {
        on_close();
        return;
    }
    QWidget::keyPressEvent(event);
}

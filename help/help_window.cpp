// The help window's lists, search and text.
#include "help/help_window.h"

#include "help/keyword_help.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

QString from_utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString entry_html(const QString& word, const HelpEntry* entry) {
    QString html = QStringLiteral("<h2>%1</h2>").arg(word.toHtmlEscaped());
    if (!entry) return html + QStringLiteral("<p>No help for this keyword yet.</p>");
    if (!entry->aliases.empty() || entry->word != word.toStdString()) {
        QStringList words{from_utf8(entry->word)};
        for (const std::string& alias : entry->aliases) words << from_utf8(alias);
        html +=
            QStringLiteral("<p>Also: %1</p>").arg(words.join(QStringLiteral(", ")).toHtmlEscaped());
    }
    for (const std::string& line : entry->syntax)
        html += QStringLiteral("<pre>%1</pre>").arg(from_utf8(line).toHtmlEscaped());
    if (!entry->description.empty())
        html += QStringLiteral("<p>%1</p>").arg(from_utf8(entry->description).toHtmlEscaped());
    return html;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("help_window"));
    resize(760, 520);
    search_field = new QLineEdit(this);
    search_field->setObjectName(QStringLiteral("help_search"));
    search_field->setPlaceholderText(QStringLiteral("Search"));
    search_field->setClearButtonEnabled(true);
    edit_links = new QPushButton(QStringLiteral("Edit links"), this);
    edit_links->setObjectName(QStringLiteral("help_edit_links"));
    edit_links->setToolTip(QStringLiteral("Set the links of Help > External resources"));
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    contents = new QListWidget(splitter);
    contents->setObjectName(QStringLiteral("help_contents"));
    text = new QTextBrowser(splitter);
    text->setObjectName(QStringLiteral("help_text"));
    text->setOpenExternalLinks(true);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 560});
    auto* top = new QHBoxLayout;
    top->addWidget(search_field, 1);
    top->addWidget(edit_links);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);

    connect(edit_links, &QPushButton::clicked, this, [this]() {
        if (on_edit_links) on_edit_links();
    });
    connect(search_field, &QLineEdit::textChanged, this, [this]() { apply_search(); });
    connect(search_field, &QLineEdit::returnPressed, this, [this]() { find_next(); });
    connect(contents, &QListWidget::currentRowChanged, this, [this](int row) { show_item(row); });
}

void HelpWindow::show_keywords(const KeywordHelp& help, const std::string& keyword_text) {
    setWindowTitle(QStringLiteral("Syntax Help"));
    keywords_ = true;
    items_.clear();
    // The keyword file's words and the words the help file adds, in alphabetical order.
    std::set<std::string> seen;
    std::vector<std::string> words;
    auto add = [&](std::string_view word) {
        std::string key(word);
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (seen.insert(key).second) words.emplace_back(word);
    };
    for (std::string_view word : keyword_words(keyword_text)) add(word);
    for (const HelpEntry& entry : help.entries) add(entry.word);
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return QString::compare(from_utf8(a), from_utf8(b), Qt::CaseInsensitive) < 0;
    });
    for (const std::string& word : words) {
        const HelpEntry* entry = find_help(help, word);
        Item item;
        item.title = from_utf8(word);
        item.body = entry_html(item.title, entry);
        item.searchable =
            (item.title + QLatin1Char('\n') + (entry ? from_utf8(help_text(*entry)) : QString()))
                .toLower();
        items_.push_back(std::move(item));
    }
    fill_contents();
}

void HelpWindow::show_document(const QString& title, const std::string& markdown) {
    setWindowTitle(title);
    keywords_ = false;
    items_.clear();
    text->setMarkdown(from_utf8(markdown));
    // The headings are the contents; each section's text is what a search looks through.
    const QString source = from_utf8(markdown);
    bool in_code = false;
    for (const QString& line : source.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("```"))) in_code = !in_code;
        const qsizetype hashes = line.indexOf(QLatin1Char(' '));
        const bool heading = !in_code && hashes >= 1 && hashes <= 6 &&
                             line.left(hashes) == QString(hashes, QLatin1Char('#'));
        if (heading) {
            Item item;
            item.title = line.mid(line.indexOf(QLatin1Char(' ')) + 1).trimmed();
            item.searchable = item.title.toLower();
            items_.push_back(std::move(item));
        } else if (!items_.empty()) {
            items_.back().searchable += QLatin1Char('\n') + line.toLower();
        }
    }
    fill_contents();
}

void HelpWindow::fill_contents() {
    const QSignalBlocker blocker(contents);
    contents->clear();
    for (const Item& item : items_) contents->addItem(item.title);
    apply_search();
}

void HelpWindow::apply_search() {
    const QString wanted = search_field->text().trimmed().toLower();
    int first = -1;
    for (int row = 0; row < contents->count(); ++row) {
        const bool match =
            wanted.isEmpty() || items_[static_cast<std::size_t>(row)].searchable.contains(wanted);
        contents->item(row)->setHidden(!match);
        if (match && first < 0) first = row;
    }
    if (first >= 0) {
        contents->setCurrentRow(first);
        show_item(first);
    } else if (keywords_) {
        text->setHtml(QStringLiteral("<p>Nothing matches.</p>"));
    }
    if (!keywords_ && !wanted.isEmpty()) {
        text->moveCursor(QTextCursor::Start);
        text->find(search_field->text().trimmed());
    }
}

void HelpWindow::show_item(int row) {
    if (row < 0 || row >= static_cast<int>(items_.size())) return;
    const Item& item = items_[static_cast<std::size_t>(row)];
    if (keywords_) {
        text->setHtml(item.body);
        return;
    }
    // The heading's block in the document: scroll it to the top.
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.text().trimmed() == item.title) {
            QTextCursor cursor(block);
            text->moveCursor(QTextCursor::End);
            text->setTextCursor(cursor);
            text->ensureCursorVisible();
            return;
        }
    }
}

void HelpWindow::find_next() {
    const QString wanted = search_field->text().trimmed();
    if (keywords_ || wanted.isEmpty()) return;
    if (!text->find(wanted)) {
        text->moveCursor(QTextCursor::Start);
        text->find(wanted);
    }
}

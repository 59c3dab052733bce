// The help window: a searchable list on the left (keywords, or a document's headings) and the
// text on the right.
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;
struct KeywordHelp;

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent);

    // Every keyword of `keyword_text` and of the help, each with its entry.
    void show_keywords(const KeywordHelp& help, const std::string& keyword_text);
    // A Markdown document with its headings as the contents.
    void show_document(const QString& title, const std::string& markdown);

    // "Edit links": the user asked to set the external resources.
    std::function<void()> on_edit_links;

    QLineEdit* search_field = nullptr;
    QPushButton* edit_links = nullptr;
    QListWidget* contents = nullptr;
    QTextBrowser* text = nullptr;

  private:
    struct Item {
        QString title;
        QString body;       // keywords: the entry as HTML; documents: the section's plain text
        QString searchable; // lower-case title and body
    };
    void fill_contents();
    void apply_search();
    void show_item(int row);
    void find_next();

    bool keywords_ = true;
    std::vector<Item> items_;
};

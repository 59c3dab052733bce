// Message boxes and requesters behind one interface, so tests can answer them by script.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QPrinter;
class QWidget;

// YesNoDefaultNo: Yes and No with No under Enter, for questions whose Yes throws work away.
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
enum class Answer { Ok, Yes, No, Cancel };

class Requesters {
  public:
    virtual ~Requesters() = default;
    // A modal message box without icon; returns the button pressed.
    virtual Answer message(const std::string& title, const std::string& text, Buttons buttons) = 0;
    // The start-up offer of texts kept from a run that ended abnormally: Yes for "Recover",
    // No for "Discard", Cancel when the dialog was closed (decide at the next start).
    virtual Answer recovery(const std::string& title, const std::string& text) = 0;
    // A one-line text requester; an empty optional when cancelled.
    virtual std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                             const std::string& initial) = 0;
    // File requesters: `filter` is the "Name (*.x)|*.x|..." list, `initial` a folder plus a
    // file pattern or name. An empty result means cancelled.
    virtual std::string open_file(const std::string& title, const std::string& initial,
                                  const std::string& filter) = 0;
    virtual std::string save_file(const std::string& title, const std::string& initial,
                                  const std::string& filter) = 0;
    // The colour chooser, starting from `initial` (0x00BBGGRR); nothing when cancelled.
    virtual std::optional<std::uint32_t> choose_colour(const std::string& title,
                                                       std::uint32_t initial) = 0;
    // Printing: a preview of the pages `render` draws, from which the user prints (the print
    // dialog, a printer or a PDF file). False when nothing was printed.
    virtual bool print(const std::string& title,
                       const std::function<void(QPrinter& printer)>& render) = 0;
};

// The real dialogs, owned by `parent` for placement.
std::unique_ptr<Requesters> make_qt_requesters(QWidget* parent);

// "Basic (*.bas)|*.bas|Text (*.txt)|*.txt" to Qt's "Basic (*.bas);;Text (*.txt)".
std::string qt_filter_from_pairs(const std::string& pairs);

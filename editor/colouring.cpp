// The colouring path on the control: notifications, recolouring lines, word-table changes.
#include "editor/colouring.h"

#include "editor/editor_config.h"
#include "editor/sci.h"
#include "editor/tokens.h"

#include <algorithm>
#include <string>

namespace {

// Collects the styles of consecutive lines and sends them with one message.
class StyleWriter {
  public:
    explicit StyleWriter(QsciScintillaBase* control) : control_(control) {}
    ~StyleWriter() { flush(); }
    StyleWriter(const StyleWriter&) = delete;
    StyleWriter& operator=(const StyleWriter&) = delete;

    // The buffer for the styles of the bytes starting at `pos`.
    std::string& at(SciPos pos) {
        if (pos != start_ + static_cast<SciPos>(styles_.size())) {
            flush();
            start_ = pos;
        }
        return styles_;
    }
    void flush() {
        if (styles_.empty()) return;
        sci_start_styling(control_, start_);
        sci_set_styling_ex(control_, styles_);
        start_ += static_cast<SciPos>(styles_.size());
        styles_.clear();
    }

  private:
    QsciScintillaBase* control_;
    SciPos start_ = 0;
    std::string styles_;
};

// Read access to the text being coloured, fetched for the whole stretch at once rather than
// line by line. Valid while the text does not change, which colouring never does.
class TextWindow {
  public:
    TextWindow(QsciScintillaBase* control, SciPos end) : control_(control), end_(end) {}
    // The `n` bytes from `pos`, or null.
    const char* at(SciPos pos, SciPos n) {
        if (!bytes_ || pos < start_ || pos + n > start_ + length_) {
            start_ = pos;
            length_ = std::max(n, end_ - pos);
            bytes_ = sci_range_pointer(control_, start_, length_);
            if (!bytes_) return nullptr;
        }
        return bytes_ + (pos - start_);
    }

  private:
    QsciScintillaBase* control_;
    SciPos end_;
    SciPos start_ = 0;
    SciPos length_ = 0;
    const char* bytes_ = nullptr;
};

void style_needed(EditorRecord& record, QsciScintillaBase* control, long position) {
    SciLine first = sci_line_from_position(control, sci_end_styled(control));
    SciLine last = sci_line_from_position(control, position);
    if (last < first) {
        SciLine old_first = first;
        first = last;
        last = old_first + 1;
    }
    restyle_lines(record, control, first, last, position);
}

void margin_clicked(QsciScintillaBase* control, const Notification& n) {
    if (n.margin != margin_fold) return;
    SciLine line = sci_line_from_position(control, n.position);
    if (sci_fold_level(control, line) & fold_header_flag) sci_toggle_fold(control, line);
}

void need_shown(QsciScintillaBase* control, const Notification& n) {
    SciLine line = sci_line_from_position(control, n.position);
    SciLine last = sci_line_from_position(control, n.position + n.length);
    for (; line <= last; ++line) sci_ensure_visible(control, line);
    int level = sci_fold_level(control, last);
    if ((level & fold_header_flag) &&
        (level & fold_level_number_mask) <
            (sci_fold_level(control, last + 1) & fold_level_number_mask))
        sci_ensure_visible(control, last + 1);
}

} // namespace

void handle_notification(EditorRecord& record, QsciScintillaBase* control,
                         const Notification& notification) {
    if (!control) return;
    switch (notification.code) {
    case scn::style_needed:
        style_needed(record, control, notification.position);
        break;
    case scn::modified:
        if (notification.lines_added != 0) fit_line_number_margin(record, control);
        break;
    case scn::update_ui: // after any change, before it is painted
        fit_line_number_margin(record, control);
        break;
    case scn::margin_click:
        margin_clicked(control, notification);
        break;
    case scn::need_shown:
        need_shown(control, notification);
        break;
    default:
        break;
    }
}

void restyle_lines(EditorRecord& record, QsciScintillaBase* control, long first, long last,
                   long stop) {
    if (!control) return;
    const SciLine count = sci_line_count(control);
    if (last == -1 || last >= count) last = count - 1;
    const SciLine requested_last = last;
    if (first < 0) first = 0;
    if (first == 0) {
        record.fold_level = fold_level_base;
    } else {
        --first;
        record.fold_level =
            std::max(sci_fold_level(control, first) & fold_level_number_mask, fold_level_base);
    }
    // Plain text (a report) is neither coloured nor folded.
    const bool plain = record.shows_plain_text && record.shows_plain_text();
    const bool folding =
        !plain && (record.behaviour_flags & (behaviour_folding | behaviour_folding_alt));
    SciPos line_start = sci_position_from_line(control, first);
    SciPos remaining = stop - line_start;
    int result = 0;
    StyleWriter writer(control);
    TextWindow window(control, stop != -1 ? std::min(stop, sci_length(control))
                                          : sci_position_from_line(control, last + 1));
    for (SciLine line = first; line <= last; ++line) {
        record.fold_delta = 0;
        const SciPos full_length = sci_line_length(control, line);
        SciPos n = full_length;
        if (stop != -1 && result != 1 && n > remaining) n = remaining;
        remaining -= n;
        if (n >= 1) {
            if (const char* bytes = window.at(line_start, n)) {
                std::string& styles = writer.at(line_start);
                const std::size_t before = styles.size();
                std::string_view text(bytes, static_cast<std::size_t>(n));
                if (plain) {
                    styles.append(static_cast<std::size_t>(n),
                                  static_cast<char>(style::default_text));
                } else if (record.line_styler) {
                    record.styling_line = line;
                    result = record.line_styler(record, text, styles);
                    record.styling_line = -1;
                    last = result == 1 ? count - 1 : requested_last;
                    // A styler must style exactly the bytes it was given; keep Scintilla in step.
                    styles.resize(before + static_cast<std::size_t>(n),
                                  static_cast<char>(style::default_text));
                } else {
                    style_tokens(record, text, styles);
                }
            }
        }
        if (n >= 1 || line == count - 1) {
            if (folding) {
                sci_set_fold_level(control, line,
                                   record.fold_level |
                                       (record.fold_delta >= 1 ? fold_header_flag : 0));
                record.fold_level =
                    std::max(record.fold_level + record.fold_delta, fold_level_base);
            } else {
                sci_set_fold_level(control, line, 0);
            }
        }
        line_start += full_length;
    }
    writer.flush();
}

LineStyler set_line_styler(EditorRecord& record, QsciScintillaBase* control, LineStyler styler) {
    if (!control) return {};
    LineStyler previous = std::move(record.line_styler);
    record.line_styler = std::move(styler);
    recolour_all(record, control);
    return previous;
}

int add_words(EditorRecord& record, QsciScintillaBase* control, std::string_view words, int style,
              int options, bool recolour) {
    if (!control) return 0;
    int count = register_words(record.words, words, style, options);
    if (count > 0 && recolour) recolour_all(record, control);
    return count;
}

void add_delimiter(EditorRecord& record, QsciScintillaBase* control, std::string_view delimiter,
                   std::string_view closing, int options, int style, bool recolour) {
    if (!control || delimiter.empty() || ((options & word_paired) && closing.empty())) return;
    if (register_words(record.words, delimiter, style, options) > 0 && (options & word_paired))
        if (WordEntry* entry = find_word(record.words, delimiter)) entry->closing = closing[0];
    if (recolour) recolour_all(record, control);
}

void remove_words(EditorRecord& record, QsciScintillaBase* control, std::string_view words,
                  bool recolour) {
    if (!control) return;
    unregister_words(record.words, words);
    if (recolour) recolour_all(record, control);
}

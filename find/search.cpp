#include "find/search.h"

#include <algorithm>

namespace {

// Identifier characters of the language: a whole word is not preceded or followed by one.
constexpr const char* word_before = "(?<![A-Za-z0-9_])";
constexpr const char* word_after = "(?![A-Za-z0-9_])";

// $1..$99, $& (the whole match) and $$ (a dollar sign), as ECMAScript replacements have them;
// \1..\9 as $1..$9, the form many editors and sed use.
QString expand(const QRegularExpressionMatch& match, const QString& replacement) {
    QString out;
    out.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        QChar c = replacement[i];
        if (c == u'\\' && i + 1 < replacement.size() && replacement[i + 1].isDigit()) {
            const int group = replacement[i + 1].digitValue();
            if (group > 0 && group <= match.lastCapturedIndex()) {
                out += match.captured(group);
                ++i;
                continue;
            }
        }
        if (c != u'$' || i + 1 >= replacement.size()) {
            out += c;
            continue;
        }
        QChar next = replacement[i + 1];
        if (next == u'$') {
            out += u'$';
            ++i;
        } else if (next == u'&') {
            out += match.captured(0);
            ++i;
        } else if (next.isDigit()) {
            int group = next.digitValue();
            qsizetype used = 1;
            if (i + 2 < replacement.size() && replacement[i + 2].isDigit()) {
                int two = group * 10 + replacement[i + 2].digitValue();
                if (two <= match.lastCapturedIndex()) {
                    group = two;
                    used = 2;
                }
            }
            if (group == 0 || group > match.lastCapturedIndex()) {
                out += c; // not a group: kept as written
                continue;
            }
            out += match.captured(group);
            i += used;
        } else {
            out += c;
        }
    }
    return out;
}

std::string replacement_text(const QRegularExpressionMatch& match, const SearchPattern& pattern,
                             std::string_view replace_text) {
    if (pattern.literal_replacement) return std::string(replace_text);
    return expand(match, QString::fromUtf8(replace_text.data(), qsizetype(replace_text.size())))
        .toStdString();
}

// A range that ends before the text is searched in the text cut there; a match the whole text
// does not give at the same place (a whole word, a "$" or a look-ahead cut by the end of the
// selection, a repeat that goes on after it) is passed over, since Replace, which looks at the
// whole text, could not take it. Gives the match as the whole text has it.
std::optional<QRegularExpressionMatch> whole_text_match(const SearchText& text,
                                                        const SearchPattern& pattern,
                                                        const QRegularExpressionMatch& cut,
                                                        long last) {
    if (last >= long(text.text.size())) return cut;
    QRegularExpressionMatch whole = pattern.expression.match(
        QStringView(text.text), cut.capturedStart(), QRegularExpression::NormalMatch,
        QRegularExpression::AnchorAtOffsetMatchOption);
    if (!whole.hasMatch() || whole.capturedEnd() != cut.capturedEnd()) return std::nullopt;
    return whole;
}

} // namespace

SearchPattern compile_search(std::string_view find_text, const SearchOptions& options) {
    SearchPattern pattern;
    if (find_text.empty()) {
        pattern.error = "Nothing to find";
        return pattern;
    }
    QString text = QString::fromUtf8(find_text.data(), qsizetype(find_text.size()));
    QString source = options.regular_expression ? text : QRegularExpression::escape(text);
    if (options.whole_word)
        source = QString::fromLatin1(word_before) + "(?:" + source + ")" +
                 QString::fromLatin1(word_after);
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.match_case) flags |= QRegularExpression::CaseInsensitiveOption;
    // Without multi-line mode ^ and $ would only mean the ends of the whole text.
    flags |= QRegularExpression::MultilineOption;
    pattern.expression = QRegularExpression(source, flags);
    pattern.literal_replacement = !options.regular_expression;
    if (!pattern.expression.isValid()) {
        pattern.error =
            "Invalid regular expression: " + pattern.expression.errorString().toStdString() +
            " at position " + std::to_string(pattern.expression.patternErrorOffset());
        return pattern;
    }
    pattern.expression.optimize();
    return pattern;
}

SearchText make_search_text(std::string_view utf8) {
    SearchText result;
    result.text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    result.byte_of.reserve(std::size_t(result.text.size()) + 1);
    // Walk the UTF-8 and the UTF-16 forms together: every unit gets the byte its character
    // starts at (both halves of a surrogate pair the same byte).
    long byte = 0;
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.data());
    const long size = long(utf8.size());
    for (qsizetype unit = 0; unit < result.text.size(); ++unit) {
        result.byte_of.push_back(byte);
        if (result.text[unit].isHighSurrogate()) {
            result.byte_of.push_back(byte);
            ++unit;
        }
        unsigned char lead = byte < size ? data[byte] : 0;
        long length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        // Malformed input became one replacement character per bad byte.
        for (long k = 1; k < length; ++k)
            if (byte + k >= size || (data[byte + k] & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        byte += length;
    }
    result.byte_of.push_back(size);
    return result;
}

long SearchText::utf16_at(long byte) const {
    auto found = std::lower_bound(byte_of.begin(), byte_of.end(), byte);
    return long(found - byte_of.begin());
}

std::optional<TextMatch> find_match(const SearchText& text, const SearchPattern& pattern,
                                    const SearchOptions& options, long from, long range_start,
                                    long range_end, long skip_start, long skip_end) {
    if (!pattern.valid()) return std::nullopt;
    const long first = text.utf16_at(range_start);
    const long last = std::min(text.utf16_at(range_end), long(text.text.size()));
    const long at = std::clamp(text.utf16_at(from), first, last);
    auto in_bytes = [&](const QRegularExpressionMatch& m, bool wrapped) {
        return TextMatch{text.byte_of[m.capturedStart()], text.byte_of[m.capturedEnd()], wrapped};
    };
    auto skipped = [&](const QRegularExpressionMatch& m) {
        return text.byte_of[m.capturedStart()] == skip_start &&
               text.byte_of[m.capturedEnd()] == skip_end;
    };
    QStringView view = QStringView(text.text).left(last);
    if (!options.backwards) {
        // Forwards: the first match starting at or after `from`, then from the range's start.
        for (int pass = 0; pass < (options.wrap_around ? 2 : 1); ++pass) {
            auto matches = pattern.expression.globalMatch(view, pass == 0 ? at : first);
            while (matches.hasNext()) {
                QRegularExpressionMatch m = matches.next();
                if (pass == 1 && m.capturedStart() >= at) break;
                if (m.capturedEnd() > last) break;
                if (!skipped(m) && whole_text_match(text, pattern, m, last))
                    return in_bytes(m, pass == 1);
            }
        }
        return std::nullopt;
    }
    // Backwards: the last match ending at or before `from`, then the last one after it.
    std::optional<QRegularExpressionMatch> before, after;
    auto matches = pattern.expression.globalMatch(view, first);
    while (matches.hasNext()) {
        QRegularExpressionMatch m = matches.next();
        if (skipped(m) || !whole_text_match(text, pattern, m, last)) continue;
        if (m.capturedEnd() <= at && m.capturedStart() < at)
            before = m;
        else if (m.capturedStart() >= at)
            after = m;
        if (!options.wrap_around && m.capturedStart() >= at) break;
    }
    if (before) return in_bytes(*before, false);
    if (after && options.wrap_around) return in_bytes(*after, true);
    return std::nullopt;
}

std::vector<Replacement> replace_all_matches(const SearchText& text, const SearchPattern& pattern,
                                             std::string_view replace_text, long range_start,
                                             long range_end) {
    std::vector<Replacement> result;
    if (!pattern.valid()) return result;
    const long first = text.utf16_at(range_start);
    const long last = std::min(text.utf16_at(range_end), long(text.text.size()));
    auto matches = pattern.expression.globalMatch(QStringView(text.text).left(last), first);
    while (matches.hasNext()) {
        const std::optional<QRegularExpressionMatch> m =
            whole_text_match(text, pattern, matches.next(), last);
        if (!m) continue;
        result.push_back({text.byte_of[m->capturedStart()], text.byte_of[m->capturedEnd()],
                          replacement_text(*m, pattern, replace_text)});
    }
    return result;
}

std::optional<std::string> replacement_at(const SearchText& text, const SearchPattern& pattern,
                                          std::string_view replace_text, long start, long end) {
    if (!pattern.valid()) return std::nullopt;
    const long first = text.utf16_at(start);
    QRegularExpressionMatch m =
        pattern.expression.match(QStringView(text.text), first, QRegularExpression::NormalMatch,
                                 QRegularExpression::AnchorAtOffsetMatchOption);
    if (!m.hasMatch() || text.byte_of[m.capturedEnd()] != end) return std::nullopt;
    return replacement_text(m, pattern, replace_text);
}

void remember_entry(std::vector<std::string>& history, const std::string& entry,
                    std::size_t capacity) {
    if (entry.empty()) return;
    history.erase(std::remove(history.begin(), history.end(), entry), history.end());
    history.insert(history.begin(), entry);
    if (history.size() > capacity) history.resize(capacity);
}

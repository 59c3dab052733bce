// The open documents in tab order, the current one, and the active document's working names.
#pragma once

#include "documents/disk_stamp.h"
#include "documents/line_ends.h"
#include "documents/name_index.h"

#include <string>
#include <vector>

// How a document's characters are stored in its file: one byte per character (codes 0 to 255),
// or UTF-8 for a file that was read as well-formed UTF-8 and keeps every character.
enum class TextEncoding { latin1, utf8 };

// One open file. `scintilla_doc` is the editing component's document pointer, kept opaque here.
struct Document {
    void* scintilla_doc = nullptr;
    std::string file_name; // file-name part of `path`: the tab caption
    std::string path;      // full path; a never-saved file is current folder + "untitled.bas"
    long caret_pos = 0;    // saved when another document is activated
    long first_line = 0;
    std::string names;                // SUB/FUNCTION names and labels, each followed by one blank
    long back_line = -1;              // where "Return from Sub/Function" goes
    LineEnd line_end = LineEnd::crlf; // what Return inserts; the kind the file was read with
    TextEncoding encoding = TextEncoding::latin1;
    bool modified = false;     // as last shown on the tab: unsaved changes since the save point
    std::string report_of;     // a variable report: the path of the program it describes
    std::string recovery_file; // where its unsaved text is kept; empty until first written
    DiskStamp disk;            // its file as last read or written by the editor
    // Another program changed the file and the user kept the editor's text: Save asks first.
    bool ask_before_overwrite = false;
    // When `back_line` is in another document (after a jump into an include file): that
    // document, by its editing component's document and its path, which must both still match.
    void* back_document = nullptr;
    std::string back_path;
    // Where the file lives besides this computer ("B:/games/snake.bas on PicoMiteVGA"), empty
    // for an ordinary file: its tab shows it as tooltip and carries a mark.
    std::string origin;
};

struct DocumentList {
    std::vector<Document> documents; // position = tab position
    int current = -1; // index of the current document, -1 when none; set by set_current_document
    std::string current_names; // working copy of the active document's names
    NameIndex current_index;   // `current_names` for quick "already held" answers

    Document* current_document() {
        return current >= 0 && current < static_cast<int>(documents.size()) ? &documents[current]
                                                                            : nullptr;
    }
    const Document* current_document() const {
        return const_cast<DocumentList*>(this)->current_document();
    }
    int count() const { return static_cast<int>(documents.size()); }
};

// Makes the document at `index` current, or none when `index` names no document. The one place
// that changes `current`: showing the document, its names and its status is up to the caller.
inline void set_current_document(DocumentList& list, int index) {
    list.current = index >= 0 && index < list.count() ? index : -1;
}

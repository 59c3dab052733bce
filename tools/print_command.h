// "Print": the current document with a header of date, file name and page number, laid out
// and drawn by the editing component page by page, through a preview from which the user
// prints to a printer or a PDF file.
#pragma once

#include <string>

class QPrinter;
class QsciScintillaBase;
class Requesters;
struct Document;

// Prints `document`, whose text the editor shows; nothing without a document or text. A
// printer that cannot be started is told in a message.
void print_document(QsciScintillaBase* editor, const Document* document, Requesters& requesters);

// Draws every page of the editor's text onto `printer`, each with its header unless `header`
// is false. False when the printer could not be started (an output file that cannot be
// written, say).
bool render_document_pages(QsciScintillaBase* editor, const std::string& path, QPrinter& printer,
                           bool header = true);

// The fixture of the documents tests: the label list's entries, typing and numbered lines.
#pragma once

#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QListWidget>
#include <QTest>

#include <string>
#include <vector>

class DocumentsTest : public AppFixture {
  protected:
    bool modified() const { return sci_send(app->editor, Sci::SCI_GETMODIFY) != 0; }
    void type(const QString& text) {
        app->editor->setFocus();
        QTest::keyClicks(app->editor, text);
        process_events();
    }
    std::string numbered_lines(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "x = " + std::to_string(i) + "\r\n";
        return text;
    }
};

// Scripted requesters: every dialog is recorded; unexpected ones fail the running test.
#include "support/scripted_requesters.h"

#include <QPrinter>
#include <gtest/gtest.h>

Answer ScriptedRequesters::message(const std::string& title, const std::string& text,
                                   Buttons buttons) {
    shown.push_back({"message", title, text, buttons});
    if (while_shown) {
        const ShownDialog dialog = shown.back(); // the list may grow meanwhile
        while_shown(dialog);
    }
    if (answers.empty()) {
        if (buttons == Buttons::Ok) return Answer::Ok; // an information box needs no script
        ADD_FAILURE() << "unexpected message box: " << title << " / " << text;
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

Answer ScriptedRequesters::recovery(const std::string& title, const std::string& text) {
    shown.push_back({"recovery", title, text, Buttons::YesNoCancel});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected recovery dialog: " << text;
        return Answer::Cancel;
    }
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedRequesters::input(const std::string& title,
                                                     const std::string& prompt,
                                                     const std::string& initial) {
    shown.push_back({"input", title, prompt, Buttons::Ok});
    (void)initial;
    if (inputs.empty()) {
        ADD_FAILURE() << "unexpected input requester: " << title;
        return std::nullopt;
    }
    std::optional<std::string> answer = inputs.front();
    inputs.pop_front();
    return answer;
}

std::string ScriptedRequesters::open_file(const std::string& title, const std::string& initial,
                                          const std::string& filter) {
    shown.push_back({"open", title, initial, Buttons::Ok, filter});
    if (files.empty()) {
        ADD_FAILURE() << "unexpected open requester: " << title;
        return {};
    }
    std::string file = files.front();
    files.pop_front();
    return file;
}

std::string ScriptedRequesters::save_file(const std::string& title, const std::string& initial,
                                          const std::string& filter) {
    shown.push_back({"save", title, initial, Buttons::Ok, filter});
    if (files.empty()) {
        ADD_FAILURE() << "unexpected save requester: " << title;
        return {};
    }
    std::string file = files.front();
    files.pop_front();
    return file;
}

std::optional<std::uint32_t> ScriptedRequesters::choose_colour(const std::string& title,
                                                               std::uint32_t initial) {
    shown.push_back({"colour", title, std::to_string(initial), Buttons::Ok});
    if (colours.empty()) {
        ADD_FAILURE() << "unexpected colour chooser: " << title;
        return std::nullopt;
    }
    std::optional<std::uint32_t> colour = colours.front();
    colours.pop_front();
    return colour;
}

bool ScriptedRequesters::print(const std::string& title,
                               const std::function<void(QPrinter& printer)>& render) {
    shown.push_back({"print", title, {}, Buttons::Ok});
    if (print_files.empty()) {
        ADD_FAILURE() << "unexpected print dialog: " << title;
        return false;
    }
    // As the user's choice of "Print to File (PDF)" in the print dialog.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(print_files.front()));
    print_files.pop_front();
    render(printer);
    return true;
}

// The help subsystem's state in the running editor: the keyword help, the links, the call tip
// being shown and the help window.
#pragma once

#include "help/external_links.h"
#include "help/keyword_help.h"

#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class HelpWindow;

struct HelpState {
    bool keywords_loaded = false; // the help file is read on first use
    KeywordHelp keywords;
    std::vector<ExternalLink> links; // what the "External resources" items show

    // The call tip on screen: the keyword it belongs to and the line it sits on; -1 when none.
    long tip_anchor = -1;
    long tip_arguments = -1; // where the keyword's arguments begin (just after the word)
    long tip_line = -1;
    std::string tip_word; // the keyword as it stands in the text
    std::string tip_text;
    std::size_t tip_highlight_start = 0, tip_highlight_end = 0; // the argument highlighted

    // The completion list last shown, one item per element, in its order.
    std::vector<std::string> completion;

    QPointer<HelpWindow> window; // owned by the main window; null until first shown

    // Opens an address in the desktop's browser; tests replace it.
    std::function<bool(const std::string& address)> open_url;
};

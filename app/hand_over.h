// The message a second instance sends to the running one: its LF-separated file list.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The most bytes the receiver takes from one message.
constexpr std::size_t hand_over_cap = std::size_t{1} << 20;

// The bytes to send for `list`. A list longer than the cap is cut after the last whole path
// that fits, so the receiver never sees a path cut short (which could name another file).
std::string encode_hand_over(std::string_view list);

// The list carried by received bytes: at most hand_over_cap bytes, up to the first zero byte.
// Blanks belong to the file names ("x.bas " is a name of its own) and are kept.
std::string decode_hand_over(std::string_view bytes);

// The answer to one handed-over list. The sender waits for it (hearing meanwhile that the
// running instance is alive), so a list is never dropped: answered true once its files are
// open, false when they never will be (that instance is ending) and the sender must open them.
struct HandOverReply {
    std::function<bool()> sender_waits;     // false once the sender has gone (it opens them)
    std::function<void(bool taken)> answer; // answers once; later calls do nothing
};

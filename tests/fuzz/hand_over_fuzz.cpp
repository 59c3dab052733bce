// The hand-over message: the receiver gets only paths that were sent, each whole, in order; all
// of them when the list fits the cap. The input gives the paths (split at LF) and, in its first
// byte, whether they are repeated past the cap so that the cutting is exercised too.
#include "app/hand_over.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // One input in eight: a megabyte per run is slow, and the cut needs few runs to be covered.
    const bool past_cap = (data[0] & 7) == 0;
    // Paths never hold a zero byte: the file system does not allow one.
    std::string list;
    for (std::size_t i = 1; i < size; ++i)
        if (data[i] != 0) list += static_cast<char>(data[i]);
    if (past_cap && !list.empty()) {
        const std::string piece = list + '\n';
        std::string big;
        big.reserve(hand_over_cap + 2 * piece.size());
        while (big.size() <= hand_over_cap) big += piece;
        // Cut the last repetition at a place the input chooses, so that the cap can fall
        // anywhere inside or just after a path.
        big.resize(big.size() - (data[0] >> 3) % piece.size());
        list = std::move(big);
    }

    const std::string message = encode_hand_over(list);
    FUZZ_CHECK(message.size() <= hand_over_cap);
    const std::string received = decode_hand_over(message);

    if (list.size() <= hand_over_cap) {
        FUZZ_CHECK(received == list);
        return 0;
    }
    // Cut: the received list is the sent one up to the end of a path, so every path in it is
    // the sent path at its place, whole.
    FUZZ_CHECK(list.starts_with(received));
    FUZZ_CHECK(received.empty() || list[received.size()] == '\n');
    return 0;
}

// The hand-over message: the receiver gets only paths that were sent, each whole, in order; all
// of them when the list fits the cap. The input gives the paths (split at LF) and, in its first
// byte, whether they are repeated past the cap so that the cutting is exercised too.
#include "app/hand_over.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> fields(std::string_view list) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    while (true) {
        const std::size_t lf = list.find('\n', start);
        result.push_back(list.substr(start, lf - start));
        if (lf == std::string_view::npos) return result;
        start = lf + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool past_cap = data[0] & 1;
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
        big.resize(big.size() - data[0] % piece.size());
        list = std::move(big);
    }

    const std::string message = encode_hand_over(list);
    FUZZ_CHECK(message.size() <= hand_over_cap);
    const std::string received = decode_hand_over(message);

    if (list.size() <= hand_over_cap) {
        FUZZ_CHECK(received == list);
        return 0;
    }
    // Cut: every received path is the sent path at its place, whole.
    if (received.empty()) return 0;
    const std::vector<std::string_view> sent = fields(list);
    const std::vector<std::string_view> got = fields(received);
    FUZZ_CHECK(got.size() <= sent.size());
    for (std::size_t i = 0; i < got.size(); ++i) FUZZ_CHECK(got[i] == sent[i]);
    return 0;
}

// One running editor per user: a lock file decides who runs, a local socket carries the hand-over.
// Both live in a folder only this user can write, so no other user can take the hand-over over.
#pragma once

#include "app/hand_over.h"

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

struct InstanceChannel {
    std::string lock_path;   // the per-user lock file
    std::string socket_path; // the per-user socket, reachable by the same user only
};

// The channel of the current user in `folder`, which must be private (see private_folder).
InstanceChannel instance_channel(const std::string& folder, const std::string& user);

// True when `folder` is a real folder (not a symbolic link) owned by this user that no other
// user may enter or write.
bool is_private_folder(const std::string& folder);
// The folder for the lock and the socket: the runtime folder when it is private, otherwise a
// folder of the program's own below `home`, created with mode 0700 and then checked. Empty when
// neither is private: the editor then starts without the single-instance hand-over.
std::string private_instance_folder(const std::string& runtime_folder, const std::string& home);

struct InstanceGuard {
    InstanceGuard();
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;
    int lock_fd = -1; // holds the lock for the life of the process
    std::unique_ptr<QLocalServer> server;
};

// Takes the lock; false when another live instance holds it. The system releases the lock when
// its holder ends in any way, so a lock left by a crashed instance never blocks a start,
// whatever its file says.
bool acquire_instance(InstanceGuard& guard, const InstanceChannel& channel);

// Starts listening for hand-overs; `receive` gets each decoded file list on the UI thread with
// the reply to give once it has been dealt with.
bool listen_for_hand_over(
    InstanceGuard& guard, const InstanceChannel& channel,
    std::function<void(const std::string& list, HandOverReply reply)> receive);
// The same, for receivers that take every list at once.
bool listen_for_hand_over(InstanceGuard& guard, const InstanceChannel& channel,
                          std::function<void(const std::string& list)> receive);

enum class HandOverResult {
    taken,     // the running instance opened the files
    refused,   // it will not (it is ending, or it is another user's): try again or open them
    no_answer, // nobody listens, or the listener said nothing for the whole timeout (frozen)
};
// Sends the list to the running instance, retrying while it is still starting up, and waits for
// its answer as long as it keeps saying it is alive. Nothing is sent unless the listening
// process belongs to `expected_owner` (-1: this user).
HandOverResult hand_over(const InstanceChannel& channel, const std::string& list, int timeout_ms,
                         long expected_owner = -1);
// True when the running instance took the list.
bool send_hand_over(const InstanceChannel& channel, const std::string& list, int timeout_ms,
                    long expected_owner = -1);

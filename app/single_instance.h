// One running editor per user: a lock file decides who runs, a local socket carries the hand-over.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QLocalServer;
class QLockFile;

struct InstanceChannel {
    std::string lock_path;   // the per-user lock file
    std::string socket_path; // the per-user socket, reachable by the same user only
};

// The channel of the current user in `runtime_folder` (a folder only that user can enter).
InstanceChannel instance_channel(const std::string& runtime_folder, const std::string& user);

struct InstanceGuard {
    InstanceGuard();
    ~InstanceGuard();
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLocalServer> server;
};

// Takes the lock; false when another live instance holds it. A lock left by a crashed
// instance is taken over.
bool acquire_instance(InstanceGuard& guard, const InstanceChannel& channel);

// Starts listening for hand-overs; `receive` gets each decoded file list on the UI thread.
bool listen_for_hand_over(InstanceGuard& guard, const InstanceChannel& channel,
                          std::function<void(const std::string& list)> receive);

// Sends the list to the running instance, retrying while it is still starting up.
// Returns true when the running instance took the message.
bool send_hand_over(const InstanceChannel& channel, const std::string& list, int timeout_ms);

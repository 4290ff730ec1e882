// Keeps the program to one running copy per user: the first start holds a lock and listens on a
// socket; a second start asks it to show its window and then ends.
#pragma once

#include <functional>
#include <string>
#include <thread>

class SingleInstance {
public:
  enum class Role {
    First,   // this process runs the game
    Second,  // another copy holds the lock; ask it to come forward and exit 0
  };

  // Lock and socket live in `directory` as <name>-<uid>.lock and .sock. An empty directory means
  // the runtime directory (platform/RuntimeDir.h); when there is none, no lock is taken.
  explicit SingleInstance(std::string directory = {}, std::string name = "quenbry-solitaire");
  // Stops the listener and, for the first copy, removes the socket and releases the lock.
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the lock and, when it is free, opens the socket. A lock that cannot be used at all
  // (directory missing or read-only) counts as First: the game must still start.
  Role Acquire();

  // For the second copy: asks the first to restore and raise its window. Waits up to timeoutMs
  // for the first to acknowledge; true when it did, false when the copy holding the lock could
  // not be reached or did not answer.
  bool AskFirstToShow(int timeoutMs = 2000) const;

  // For the first copy: starts a thread that blocks until a second copy asks and then calls
  // onRequest (on that thread, so it must only hand the request over, e.g. post an event).
  // False when there is no socket to listen on.
  bool StartListening(std::function<void()> onRequest);

  const std::string& LockPath() const { return lockPath_; }
  const std::string& SocketPath() const { return socketPath_; }

private:
  void Listen();
  void StopListening();

  std::string lockPath_;
  std::string socketPath_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  int stopPipe_[2] = {-1, -1};  // written to wake the listener when it must end
  bool ownsSocket_ = false;
  std::function<void()> onRequest_;
  std::thread listener_;
};

// One copy per user: an flock'ed lock file decides who runs, a Unix socket carries the request
// of a later start to show the running copy's window.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/RuntimeDir.h"

namespace {

constexpr char kRequest[] = "raise\n";
constexpr char kReply[] = "ok\n";
// A client that connects and then says nothing must not hold up later requests for long.
constexpr int kClientTimeoutMs = 1000;

bool FillAddress(const std::string& path, sockaddr_un* address) {
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address->sun_path)) return false;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

void CloseFd(int* fd) {
  if (*fd >= 0) close(*fd);
  *fd = -1;
}

// Waits for fd to become readable; false on timeout or error.
bool WaitReadable(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  for (;;) {
    int n = poll(&p, 1, timeoutMs);
    if (n < 0 && errno == EINTR) continue;
    return n > 0 && (p.revents & (POLLIN | POLLHUP)) != 0;
  }
}

bool SendAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Reads whatever arrives within the timeout, up to a small limit.
std::string ReceiveShort(int fd, int timeoutMs) {
  char buffer[32];
  if (!WaitReadable(fd, timeoutMs)) return {};
  ssize_t n = 0;
  do {
    n = recv(fd, buffer, sizeof(buffer), 0);
  } while (n < 0 && errno == EINTR);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

SingleInstance::SingleInstance(std::string directory, std::string name) {
  if (directory.empty()) directory = RuntimeDirectory();
  // No directory of our own: no lock to take, and the game starts alone.
  if (directory.empty()) return;
  std::string base = directory + "/" + name + "-" + std::to_string(getuid());
  lockPath_ = base + ".lock";
  socketPath_ = base + ".sock";
}

SingleInstance::~SingleInstance() {
  StopListening();
  CloseFd(&listenFd_);
  if (ownsSocket_) unlink(socketPath_.c_str());
  // Closing the descriptor releases the lock. The lock file stays: removing it would let a
  // starting copy lock a file that another one is just opening.
  CloseFd(&lockFd_);
}

SingleInstance::Role SingleInstance::Acquire() {
  if (lockFd_ >= 0 || lockPath_.empty()) return Role::First;
  int fd = open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return Role::First;
  int rc = 0;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? Role::Second : Role::First;
  }
  lockFd_ = fd;

  // Holding the lock means no live copy owns a socket here; an old one is left from a crash.
  sockaddr_un address;
  if (!FillAddress(socketPath_, &address)) return Role::First;
  unlink(socketPath_.c_str());
  listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return Role::First;
  if (bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    CloseFd(&listenFd_);
    return Role::First;
  }
  ownsSocket_ = true;
  chmod(socketPath_.c_str(), 0600);
  // Requests queue here until the listener runs, so a start that comes early is not lost.
  if (listen(listenFd_, 4) != 0) CloseFd(&listenFd_);
  return Role::First;
}

bool SingleInstance::AskFirstToShow(int timeoutMs) const {
  sockaddr_un address;
  if (!FillAddress(socketPath_, &address)) return false;
  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  auto remainingMs = [&deadline] {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(left.count() > 0 ? left.count() : 0);
  };
  for (;;) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
      bool acknowledged = SendAll(fd, kRequest, sizeof(kRequest) - 1) &&
                          ReceiveShort(fd, remainingMs()).rfind("ok", 0) == 0;
      close(fd);
      return acknowledged;
    }
    int error = errno;
    close(fd);
    // The first copy takes the lock a moment before its socket exists.
    bool notYet = error == ENOENT || error == ECONNREFUSED || error == EINTR;
    if (!notYet || remainingMs() == 0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool SingleInstance::StartListening(std::function<void()> onRequest) {
  if (listenFd_ < 0 || listener_.joinable()) return false;
  if (pipe2(stopPipe_, O_CLOEXEC) != 0) return false;
  onRequest_ = std::move(onRequest);
  listener_ = std::thread([this] { Listen(); });
  return true;
}

void SingleInstance::Listen() {
  for (;;) {
    pollfd fds[2] = {{stopPipe_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}};
    int n = poll(fds, 2, -1);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents != 0) return;
    if ((fds[1].revents & POLLIN) == 0) {
      if (fds[1].revents != 0) return;  // the socket broke; nothing more will arrive
      continue;
    }
    int client = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    std::string request = ReceiveShort(client, kClientTimeoutMs);
    if (request.rfind("raise", 0) == 0) {
      if (onRequest_) onRequest_();
      SendAll(client, kReply, sizeof(kReply) - 1);
    }
    close(client);
  }
}

void SingleInstance::StopListening() {
  if (listener_.joinable()) {
    char byte = 0;
    ssize_t written = 0;
    do {
      written = write(stopPipe_[1], &byte, 1);
    } while (written < 0 && errno == EINTR);
    listener_.join();
  }
  CloseFd(&stopPipe_[0]);
  CloseFd(&stopPipe_[1]);
}
